// The toolkit's file dialog behind the file-chooser seam.
#pragma once

#include "app/logic/IFileChooser.h"

class CWxFileChooser : public IFileChooser {
public:
    std::optional<FileDialogAnswer> Choose(const FileDialogRequest& request) override;
};
