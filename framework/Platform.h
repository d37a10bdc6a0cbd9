#pragma once
// The operating-system services that the program uses beside its windows.

#include <optional>
#include <string>
#include <string_view>

#include "framework/Geometry.h"

namespace framework {

enum class MessageIcon : unsigned char { None, Error, Exclamation, Question };
enum class MessageButtons : unsigned char { Ok, YesNo };
enum class MessageAnswer : unsigned char { Ok, Yes, No };

class Platform {
public:
    virtual ~Platform() = default;

    // Process
    virtual void initialiseComForThisThread() = 0;
    // The folder of the executable, without a trailing backslash.
    virtual std::string executableFolder() = 0;
    virtual void setCurrentFolder(const std::string& folder) = 0;

    // Dialogs. Message boxes have no owner window and are task-modal.
    virtual MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The entered text, or nothing when the box was cancelled.
    virtual std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                                std::string_view initialText) = 0;

    // Files. Paths are UTF-8 text.
    virtual bool fileExists(const std::string& path) = 0;
    // Creates or truncates the file and writes the bytes; false when that failed.
    virtual bool writeFile(const std::string& path, std::string_view bytes) = 0;
    virtual std::optional<std::string> readFile(const std::string& path) = 0;

    // Shell: the "open" action on a document or a web address.
    virtual void shellOpen(const std::string& target) = 0;

    // Screen
    virtual Point cursorPosition() = 0;
};

}  // namespace framework
