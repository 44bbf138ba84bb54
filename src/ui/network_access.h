#pragma once
// Downloads over http and https. Qt's network library, the one thing that needs it, brings a
// dozen system libraries along (Kerberos, proxy configuration ...): it lives in a module of its
// own, loaded the first time a download is asked for, so that a start without one never loads
// them.
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QEventLoop;

namespace kalvora::ui {

class NetworkAccess {
public:
    virtual ~NetworkAccess() = default;
    // The body of a 200 answer from an http or https `address`, of at most `limit` bytes, within
    // `timeoutMs`; nullopt for anything else. `runLoop` runs the wait, so that whoever owns the
    // loops can end it.
    virtual std::optional<std::string> download(const std::string& address, int timeoutMs, long long limit,
                                                const std::function<int(QEventLoop&)>& runLoop) = 0;
};

// The module's file and the function it exports, which returns a new NetworkAccess.
inline constexpr const char* networkModuleFile = "libkalvora_network.so";
inline constexpr const char* networkModuleEntry = "kalvora_create_network_access";
using CreateNetworkAccess = NetworkAccess* (*)();

// Loads the module from the program's folder (or the build's) and makes its NetworkAccess;
// null when the module cannot be found or loaded.
std::unique_ptr<NetworkAccess> loadNetworkAccess();

}  // namespace kalvora::ui
