// Code page 936 through iconv (glibc's CP936).

#include "text/CodePageConverters.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace text {
namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("no iconv from ") + from + " to " + to);
    }
    ~Iconv() { iconv_close(handle_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts until the end or the first input it cannot convert; returns how much was used.
    size_t convert(std::string_view input, std::string& output) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char buffer[4096];
        size_t used = 0;
        while (used < input.size()) {
            char* in = const_cast<char*>(input.data() + used);
            size_t inLeft = input.size() - used;
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<size_t>(out - buffer));
            used = input.size() - inLeft;
            if (result == static_cast<size_t>(-1) && errno != E2BIG) break;
        }
        return used;
    }

private:
    iconv_t handle_;
};

// Opening a converter loads and allocates its tables: each thread keeps one per direction.
Iconv& toGbk() {
    thread_local Iconv converter("CP936", "UTF-8");
    return converter;
}

Iconv& fromGbk() {
    thread_local Iconv converter("UTF-8", "CP936");
    return converter;
}

}  // namespace

bool encodeGbk(std::string_view utf8, std::string& out) {
    Iconv& converter = toGbk();
    std::string converted;
    if (converter.convert(utf8, converted) != utf8.size()) return false;
    out += converted;
    return true;
}

void decodeGbk(std::string_view bytes, std::string& out) {
    Iconv& converter = fromGbk();
    while (!bytes.empty()) {
        const size_t used = converter.convert(bytes, out);
        if (used == bytes.size()) return;
        out += "\xEF\xBF\xBD";
        bytes.remove_prefix(used + 1);
    }
}

}  // namespace text
