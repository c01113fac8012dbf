#pragma once
// A file chooser for tests: answers with a prepared path (or a cancel) and
// keeps the settings each dialog was given.

#include "app/file_chooser.h"

#include <vector>

namespace tavo::testing {

class ScriptedFileChooser final : public FileChooser {
public:
    std::optional<QString> answer; // nothing: the user cancels
    std::vector<OpenDialogSettings> openRequests;
    std::vector<SaveDialogSettings> saveRequests;

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
};

} // namespace tavo::testing
