#include "AppAboutBox.h"

CAppAboutBox::CAppAboutBox(QWidget* parent) : CModalDialog(kTemplateId, parent) {}
