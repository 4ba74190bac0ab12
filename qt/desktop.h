#pragma once

// The two small services the game window borrows from the desktop when a
// position is saved or loaded: a file-name chooser and a message box. Both sit
// behind an interface so that tests can answer in their place.

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

class QWidget;

namespace morvane {

// The path a chosen name stands for, in the file system's own encoding.
std::filesystem::path filePath(const QString& name);

class CommonDialog {
public:
    virtual ~CommonDialog() = default;
    // Each returns the chosen path, or an empty text when the player cancelled.
    virtual QString ShowOpen(QWidget* owner) = 0;
    virtual QString ShowSave(QWidget* owner) = 0;
};

// The desktop's own open and save forms, offering text files first.
std::unique_ptr<CommonDialog> makeFileDialog();

// Shows a failure to the player: one OK button, no icon, the program's title.
using MessageReporter = std::function<void(QWidget* owner, const QString& text)>;
MessageReporter messageBoxReporter();

} // namespace morvane
