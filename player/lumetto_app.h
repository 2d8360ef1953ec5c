// CLumettoApp: start-up, the single-instance guard and the modal run of the main window.
#pragma once
#include "framework/app.h"

class CLumettoApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
