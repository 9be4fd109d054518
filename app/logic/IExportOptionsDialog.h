// The export-options dialog behind a seam: the application shows its dialog box, tests
// answer with values of their own.
#pragma once

#include <cstdint>

// What the dialog is given and gives back.
struct ExportDialogValues {
    std::int32_t restriction = 0;    // above 0 the key-frame form is greyed, above 1 the matrix form too
    bool flashEnabled = false;       // the Flash target can be chosen
    std::int32_t animationForm = 1;  // ExportAnimationForm
    float scale = 1.0f;
    std::int32_t flashTarget = 0;    // FlashTarget
};

class IExportOptionsDialog {
public:
    virtual ~IExportOptionsDialog() = default;
    // Shows the values; true (with the user's values) on OK, false on Cancel.
    virtual bool Run(ExportDialogValues& values) = 0;
};
