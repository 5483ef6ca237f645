#include "DialogHelp.h"

CDialogHelp::CDialogHelp(QWidget* parent) : CModalDialog(kTemplateId, parent) {}
