#include "ui/edit.h"

TEdit::TEdit(TControl* parent, const EditSettings& s) : TControl(parent) {
    CreateStandard("EDIT", ES_AUTOHSCROLL | (s.readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE, s);
    if (!s.enabled) SetEnabled(false);
}
