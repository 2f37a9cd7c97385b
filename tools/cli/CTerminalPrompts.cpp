#include "CTerminalPrompts.h"

#include <termios.h>
#include <unistd.h>

#include "device/PasscodeRules.h"

namespace {

// Switches terminal echo off for its lifetime; does nothing on a pipe.
class CEchoOff {
public:
    explicit CEchoOff(int fd) : fd_(fd)
    {
        if (!isatty(fd_) || tcgetattr(fd_, &saved_) != 0)
            return;
        termios quiet = saved_;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        active_ = tcsetattr(fd_, TCSAFLUSH, &quiet) == 0;
    }
    ~CEchoOff()
    {
        if (active_)
            tcsetattr(fd_, TCSAFLUSH, &saved_);
    }
    CEchoOff(const CEchoOff&) = delete;
    CEchoOff& operator=(const CEchoOff&) = delete;
    bool Active() const { return active_; }

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

bool IsYes(const std::string& answer)
{
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

} // namespace

std::string TerminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            out += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            out += '\n';
    }
    return out;
}

CTerminalPrompts::CTerminalPrompts(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

PromptResult CTerminalPrompts::ShowMessage(const std::string& text, PromptIcon icon,
                                           PromptButtons buttons)
{
    if (icon == PromptIcon::Error)
        errorShown_ = true;
    const std::string shown = TerminalText(text);
    if (buttons == PromptButtons::Ok) {
        std::fprintf(out_, "%s\n", shown.c_str());
        std::fflush(out_);
        return PromptResult::Ok;
    }
    std::fprintf(out_, "%s [y/N] ", shown.c_str());
    std::fflush(out_);
    const std::optional<std::string> answer = ReadLine(false);
    const bool yes = answer && IsYes(*answer);
    if (IsYesNo(buttons))
        return yes ? PromptResult::Yes : PromptResult::No;
    return yes ? PromptResult::Ok : PromptResult::Cancel;
}

std::optional<std::string> CTerminalPrompts::AskFileName(const FileDialogRequest&)
{
    return std::nullopt;
}

bool CTerminalPrompts::ConnectDialog(ComSettings& settings)
{
    if (!connection_)
        return false;
    settings = *connection_;
    return true;
}

std::optional<std::uint32_t> CTerminalPrompts::EnterModbusPasscode()
{
    if (passcode_)
        return passcode_;
    std::fputs("The device is write protected.\nEnter Modbus passcode: ", out_);
    std::fflush(out_);
    const std::optional<std::string> line = ReadLine(true);
    if (!line || line->empty())
        return std::nullopt;
    // Read like the passcode dialog's edit: a C integer literal, anything else is 0.
    return ParseModbusPasscodeLiteral(*line);
}

std::optional<ProtectRequest> CTerminalPrompts::ProtectSetting()
{
    return std::nullopt;
}

std::optional<std::string> CTerminalPrompts::ReadLine(bool hidden)
{
    std::optional<CEchoOff> echo;
    if (hidden)
        echo.emplace(fileno(in_));
    std::string line;
    int c = 0;
    while ((c = std::fgetc(in_)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (echo && echo->Active())
        std::fputc('\n', out_); // the user's Enter was not echoed
    if (c == EOF && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}
