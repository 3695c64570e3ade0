#include "platform/afx/app.h"

LPCSTR AfxGetAppName() {
    return "menushell";
}

int AfxMessageBox(LPCSTR text, UINT type, UINT /*helpId*/) {
    return MessageBoxA(nullptr, text, AfxGetAppName(), type);
}
