#include "core/stored_path.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace kalvora::core {

namespace {

// The components of `path` split at any of `separators`, "." and empty ones dropped and ".."
// taking the previous one away. A ".." above the start is refused (nullopt), or with
// `rootIsOwnParent` dropped, as this system does for "/..".
std::optional<std::vector<std::string_view>> components(std::string_view path, std::string_view separators,
                                                        bool rootIsOwnParent = false) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find_first_of(separators), path.size());
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(std::min(end + 1, path.size()));
        if (part == "..") {
            if (parts.empty() && !rootIsOwnParent)
                return std::nullopt;
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    return parts;
}

// `separator` before each part: "/a/b", "\a\b"; the root alone is `separator`.
std::string joined(const std::vector<std::string_view>& parts, char separator) {
    std::string out;
    for (std::string_view part : parts) {
        out += separator;
        out += part;
    }
    return out.empty() ? std::string(1, separator) : out;
}

}  // namespace

std::optional<std::string> storedPathOnThisSystem(const Files& files, const Installation& inst,
                                                  std::string_view stored) {
    if (stored.empty() || stored.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (stored.front() == '/')
        return files.resolve(stored);
    std::string_view fromRoot;
    if (stored.size() >= 3 && std::isalpha(static_cast<unsigned char>(stored[0])) && stored[1] == ':' &&
        (stored[2] == '\\' || stored[2] == '/'))
        fromRoot = stored.substr(2);
    else if (stored.front() == '\\' && (stored.size() == 1 || stored[1] != '\\'))
        fromRoot = stored;
    else
        return std::nullopt;
    const auto parts = components(fromRoot, "\\/");
    if (!parts)
        return std::nullopt;
    return files.resolve(joinPath(inst.driveRoot(), joined(*parts, '/')));
}

std::string storedForm(const Installation& inst, std::string_view path) {
    const auto parts = *components(path, "/", true);
    const auto root = *components(inst.driveRoot(), "/", true);
    const bool underRoot = parts.size() >= root.size() && std::equal(root.begin(), root.end(), parts.begin());
    const std::vector<std::string_view> rest(parts.begin() + (underRoot ? root.size() : 0), parts.end());
    // A name holding a backslash cannot be written in the suite's form.
    const bool backslash =
        std::any_of(rest.begin(), rest.end(), [](std::string_view p) { return p.find('\\') != p.npos; });
    return underRoot && !backslash ? joined(rest, '\\') : joined(parts, '/');
}

std::optional<std::string> driveLetterForm(const Installation& inst, std::string_view path) {
    if (path.empty() || path.front() != '/')
        return std::nullopt;
    const std::string stored = storedForm(inst, path);
    if (stored.front() != '\\')
        return std::nullopt;
    return "C:" + stored;
}

}  // namespace kalvora::core
