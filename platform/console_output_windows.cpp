#include "platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <streambuf>

namespace quillmere::platform {
namespace {

// How many bytes at the start of [text, text + size) form whole UTF-8 sequences: a sequence cut
// off at the end waits in the buffer for the rest of its bytes.
std::size_t wholeSequences(const char* text, std::size_t size) {
    for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = byte < 0x80    ? 1
                                   : byte >= 0xF0 ? 4
                                   : byte >= 0xE0 ? 3
                                   : byte >= 0xC0 ? 2
                                                  : 1;
        return length > back ? size - back : size;
    }
    return size;
}

// Text for a console window: UTF-8 in, UTF-16 out through WriteConsoleW, so that the console
// shows every character whatever its code page. Bytes written to a console any other way would
// be read in the console's OEM code page.
class ConsoleBuffer final : public std::streambuf {
  public:
    explicit ConsoleBuffer(HANDLE console) : console_(console) { setp(buffer_, buffer_ + sizeof buffer_); }
    ~ConsoleBuffer() override { writeOut(); }
    ConsoleBuffer(const ConsoleBuffer&) = delete;
    ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

  protected:
    int_type overflow(int_type c) override {
        if (writeOut() != 0) return traits_type::eof();
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
        return c;
    }
    int sync() override { return writeOut(); }

  private:
    int writeOut() {
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t whole = wholeSequences(pbase(), size);
        int status = 0;
        if (whole > 0) {
            // Shown, not stored: a byte that is not UTF-8 becomes a replacement character here
            // rather than stopping the output.
            const int n = ::MultiByteToWideChar(CP_UTF8, 0, pbase(), static_cast<int>(whole), nullptr, 0);
            std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
            if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, pbase(), static_cast<int>(whole), wide.data(), n);
            for (std::size_t done = 0; done < wide.size();) {
                DWORD written = 0;
                const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
                if (!::WriteConsoleW(console_, wide.data() + done, chunk, &written, nullptr) ||
                    written == 0) {
                    status = -1;
                    break;
                }
                done += written;
            }
        }
        const std::size_t rest = size - whole;
        std::memmove(buffer_, pbase() + whole, rest);
        setp(buffer_, buffer_ + sizeof buffer_);
        pbump(static_cast<int>(rest));
        return status;
    }

    HANDLE console_;
    char buffer_[4096];
};

}  // namespace

std::unique_ptr<std::streambuf> consoleBuffer(std::FILE* stream) {
    const DWORD which = stream == stderr ? STD_ERROR_HANDLE : stream == stdout ? STD_OUTPUT_HANDLE : 0;
    if (which == 0) return nullptr;
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    // GetConsoleMode succeeds for a console alone: a file, a pipe or NUL keep the bytes as they are.
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleBuffer>(handle);
}

}  // namespace quillmere::platform
