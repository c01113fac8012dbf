#pragma once
// A file chooser for tests: answers with a prepared path (or a cancel) and
// keeps the settings each dialog was given.

#include "app/file_chooser.h"

#include <QPrinter>

#include <vector>

namespace tavo::testing {

class ScriptedFileChooser final : public FileChooser {
public:
    std::optional<QString> answer; // nothing: the user cancels
    std::vector<OpenDialogSettings> openRequests;
    std::vector<SaveDialogSettings> saveRequests;
    // Print…: the printer writes a PDF to this file; nothing: the user cancels.
    std::optional<QString> printTo;
    std::size_t printRequests = 0;

    std::optional<QString> chooseFileToOpen(QWidget *, const OpenDialogSettings &settings) override
    {
        openRequests.push_back(settings);
        return answer;
    }
    std::optional<QString> chooseFileToSave(QWidget *, const SaveDialogSettings &settings) override
    {
        saveRequests.push_back(settings);
        return answer;
    }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        ++printRequests;
        if (!printTo)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printTo);
        return true;
    }
};

} // namespace tavo::testing
