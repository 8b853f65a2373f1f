#pragma once

#include <string>

// Shell services: the recycle bin, the browser's URL history, the busy
// cursor, opening documents with their associated program.

namespace quill::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Empties the recycle bin of every drive without asking, showing progress
    // or playing a sound. Nothing happens when the shell offers no way to.
    virtual void EmptyRecycleBin() = 0;
    // Clears the browser's URL history store; false when the store is not
    // available (its class is not registered or lacks the interface).
    [[nodiscard]] virtual bool ClearUrlHistory() = 0;
    // Shows the application-starting cursor, or the default one again.
    virtual void ShowBusyCursor(bool busy) = 0;
    // Stops every open browser and shell folder window and makes it
    // invisible. False when the collection of those windows, or one of its
    // items, cannot be had; a window that refuses only skips itself.
    [[nodiscard]] virtual bool HideBrowserWindows() = 0;
    // Opens a document or program with the shell's "open" verb.
    [[nodiscard]] virtual bool Open(const std::string& target, const std::string& parameters) = 0;
    // Opens a local web page in the default web browser, whatever program
    // is associated with its file type. False when no browser is set up or
    // it cannot be started.
    [[nodiscard]] virtual bool OpenInBrowser(const std::string& page) = 0;
    // Shows the topic of a help file by its context number; the whole file
    // when the topic, or the help viewer, cannot be had. False when not
    // even the file opens.
    [[nodiscard]] virtual bool ShowHelp(const std::string& helpFile, int context) = 0;
};

} // namespace quill::platform
