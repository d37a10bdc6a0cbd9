#pragma once
// The operating-system services that the program uses beside its windows.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "framework/CancelToken.h"
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
    // The executable's file name with its extension, without a path.
    virtual std::string executableName() = 0;
    virtual void setCurrentFolder(const std::string& folder) = 0;
    // The path made full from the current folder, as the system makes it; the path as it is
    // where the system cannot.
    virtual std::string fullPath(const std::string& path) = 0;
    // The process command line as the system gives it.
    virtual std::string commandLine() = 0;
    // The user's desktop folder.
    virtual std::string desktopFolder() = 0;
    // The user's own folder for the programs' local data (no administrator needed to write it);
    // empty when it cannot be had.
    virtual std::string localDataFolder() = 0;
    // The folder Windows is installed in ("C:\WINDOWS" on nearly every machine), which only an
    // administrator may write.
    virtual std::string windowsFolder() = 0;

    // Dialogs. Message boxes have no owner window and are task-modal.
    virtual MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    // The entered text, or nothing when the box was cancelled.
    virtual std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                                std::string_view initialText) = 0;
    // A line for the standard error of the console the program was started from, or of where
    // that was redirected; nothing happens when there is neither.
    virtual void writeStandardError(std::string_view line) = 0;

    // Files. Paths are UTF-8 text.
    virtual bool fileExists(const std::string& path) = 0;
    // Creates or truncates the file and writes the bytes; false when that failed.
    virtual bool writeFile(const std::string& path, std::string_view bytes) = 0;
    // The whole file; nothing when it cannot be read, or when it holds more than maxBytes bytes
    // (then none of it is read).
    virtual std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) = 0;
    std::optional<std::string> readFile(const std::string& path) { return readFile(path, 0x7FFFFFFF); }
    // Creates the folder (its parent exists); true when it exists afterwards.
    virtual bool createFolder(const std::string& path) = 0;
    // Writes the bytes to a temporary file beside the target and puts it in the target's
    // place only when all of them are written and on the disk: a failure, or a power cut,
    // leaves an earlier file as it was.
    virtual bool replaceFile(const std::string& path, std::string_view bytes) = 0;

    // Registry, under the root keys that the program uses. Keys are paths with backslashes.
    enum class RegistryRoot : unsigned char { ClassesRoot, CurrentUser };
    // Opens or creates the key and stores the text (REG_SZ) under the value name ("" is the
    // key's default value).
    virtual bool setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                                 const std::string& text) = 0;
    virtual bool deleteRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName) = 0;
    // Deletes a key that has no subkeys.
    virtual bool deleteRegistryKey(RegistryRoot root, const std::string& key) = 0;

    // The automation component: the library image that the program carries, and its
    // self-registration (the library loaded from the path, its DllRegisterServer called).
    // Registration is false when the library cannot be loaded or has no registration entry.
    virtual std::string componentImage() = 0;
    virtual bool registerComponent(const std::string& path) = 0;
    // The same component for 32-bit hosts on a 64-bit Windows: its image (empty where the
    // program carries none); the system folder of the 32-bit programs (empty where Windows has
    // none); its registration by that folder's regsvr32 in a process of its own, false when that
    // did not report success within a few seconds.
    virtual std::string component32Image() = 0;
    virtual std::string system32BitFolder() = 0;
    virtual bool registerComponent32(const std::string& path) = 0;
    // Unloads the component libraries that no instance of this process uses any more, so that
    // their files can be replaced.
    virtual void unloadUnusedLibraries() = 0;

    // Shell: the "open" action on a document or a web address.
    virtual void shellOpen(const std::string& target) = 0;

    // Internet: an HTTP GET of the address, fresh from the server (no cache is read or
    // written), that ends after maxBytes bytes and at the deadline whatever the server does.
    struct WebRead {
        std::size_t maxBytes = 0;
        int timeoutMilliseconds = 0;   // for connecting, for sending, and for each wait on data
        int deadlineMilliseconds = 0;  // for the whole read
    };
    // The body's bytes that arrived: all of them, or those before a failure or the deadline;
    // none when the server answered with an error status. While it waits, the calling thread
    // answers the messages and calls sent to it, nothing else.
    virtual std::string httpGet(const std::string& address, const WebRead& limits) = 0;

    // Screen
    virtual Point cursorPosition() = 0;
    // The window under the cursor, as a 32-bit handle (0: none); where the cursor is over a
    // window's child, the smallest visible later sibling of that child that holds the point.
    virtual std::int32_t windowUnderCursor() = 0;

    // Threads and waits
    virtual std::shared_ptr<CancelToken> newCancelToken() = 0;
    // A steady clock for the deadlines of waits: microseconds from a moment of its own.
    virtual std::int64_t clockMicroseconds() = 0;
    // Waits until the clock reaches the deadline (one already past waits 0) as precisely as the
    // system can, or until the token is cancelled; false when it is (or was already) cancelled.
    // On the user-interface thread the wait still answers calls from other threads, nothing else.
    virtual bool waitUntil(std::int64_t deadline, CancelToken& token) = 0;
    // The same for the milliseconds from now (a negative time waits 0).
    bool wait(int milliseconds, CancelToken& token) {
        return waitUntil(clockMicroseconds() + 1000LL * std::max(milliseconds, 0), token);
    }
    // Runs the body on a thread of its own: one whose earlier body has returned, or a new one.
    // False, and the body never runs, when no thread can be had for it.
    [[nodiscard]] virtual bool startThread(std::function<void()> body) = 0;
};

}  // namespace framework
