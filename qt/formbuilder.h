#pragma once

#include "forms/formtable.h"

class QWidget;

namespace qtface {

// Creates every control of the table as a child of window, with its name as
// object name and its place converted from twips, then applies the tab order
// and the names a screen reader speaks (qt/accessibility.h), whose
// faces it installs first.
void buildForm(QWidget* window, const forms::FormTable& form);

} // namespace qtface
