// Save As and the export dispatch.
#include "app/CKinemorphixDoc.h"

// Not built yet: nothing is saved, and the Save As and overwrite-export commands have no
// handler (they stay greyed).
bool CKinemorphixDoc::OnFileSaveAs()
{
    return false;
}
