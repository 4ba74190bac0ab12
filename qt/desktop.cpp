#include "qt/desktop.h"

#include <QFileDialog>
#include <QFile>
#include <QMessageBox>

#include "qt/controls.h"

namespace morvane {

namespace {

const QString kFilter = qtText(forms::kPositionFileFilterName) + " (" + qtText(forms::kPositionFilePattern)
                        + ");;All files (*)";

class FileDialog : public CommonDialog {
public:
    QString ShowOpen(QWidget* owner) override
    {
        return QFileDialog::getOpenFileName(owner, QString(), QString(), kFilter);
    }
    QString ShowSave(QWidget* owner) override
    {
        return QFileDialog::getSaveFileName(owner, QString(), QString(), kFilter);
    }
};

} // namespace

std::unique_ptr<CommonDialog> makeFileDialog()
{
    return std::make_unique<FileDialog>();
}

std::filesystem::path filePath(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

MessageReporter messageBoxReporter()
{
    return [](QWidget* owner, const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, qtText(forms::kProgramTitle), text, QMessageBox::Ok, owner);
        box.exec();
    };
}

} // namespace morvane
