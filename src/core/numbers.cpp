#include "core/numbers.h"

#include "core/decimal.h"

#include <charconv>
#include <cmath>

namespace kalvora::core {

DecimalDigits decimalDigits(double value) {
    DecimalDigits d;
    if (!std::isfinite(value) || value == 0)
        return d;
    d.negative = value < 0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    // "d.dddddddddddddde+XX"
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    int exponent = 0;
    std::string_view exp = text.substr(e + 1);
    if (!exp.empty() && exp.front() == '+')
        exp.remove_prefix(1);
    std::from_chars(exp.data(), exp.data() + exp.size(), exponent);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    d.exponent = exponent + 1;
    return d;
}

FixedDigits fixedDigits(const DecimalDigits& d, int decimals) {
    if (decimals < 0)
        decimals = 0;
    const auto places = static_cast<std::size_t>(decimals);
    FixedDigits f;
    std::string fraction;
    if (d.exponent > 0) {
        const auto n = static_cast<std::size_t>(d.exponent);
        f.integer = d.digits.substr(0, n);
        if (f.integer.size() < n)
            f.integer.append(n - f.integer.size(), '0');
        if (d.digits.size() > n)
            fraction = d.digits.substr(n);
    } else if (!d.digits.empty()) {
        // Exponents here stay within a few hundred, so the zeros are bounded.
        fraction.assign(static_cast<std::size_t>(-d.exponent), '0');
        fraction += d.digits;
    }
    const bool roundUp = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    if (roundUp) {
        std::string all = f.integer + fraction;
        std::size_t i = all.size();
        bool carry = true;
        while (carry && i > 0) {
            --i;
            if (all[i] == '9') {
                all[i] = '0';
            } else {
                ++all[i];
                carry = false;
            }
        }
        if (carry)
            all.insert(all.begin(), '1');
        f.integer = all.substr(0, all.size() - places);
        fraction = all.substr(all.size() - places);
    }
    const std::size_t firstNonZero = f.integer.find_first_not_of('0');
    f.integer = firstNonZero == std::string::npos ? std::string() : f.integer.substr(firstNonZero);
    f.fraction = fraction;
    return f;
}

std::string shortestDecimal(double value) {
    const DecimalDigits d = decimalDigits(value);
    if (d.digits.empty())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int pointExponent = d.exponent - 1;  // as in d.ddd x 10^pointExponent
    if (pointExponent >= 15 || pointExponent < -5) {
        // Too long for plain digits: the runtime's scientific form, "1E+15", "-2.5E-07".
        out += d.digits.front();
        if (d.digits.size() > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        out += 'E';
        out += pointExponent < 0 ? '-' : '+';
        const int magnitude = pointExponent < 0 ? -pointExponent : pointExponent;
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
        return out;
    }
    const FixedDigits f = fixedDigits(d, static_cast<int>(d.digits.size()) - d.exponent);
    out += f.integer;
    if (!f.fraction.empty())
        out += '.' + f.fraction;
    return out;
}

std::string strForm(double value) {
    std::string text = shortestDecimal(value);
    if (text.front() != '-')
        text.insert(text.begin(), ' ');
    return text;
}

std::string printForm(double value) { return strForm(value) + ' '; }

}  // namespace kalvora::core
