// Everything the application uses of its runtime.
#pragma once

#include "Application.h"
#include "Canvas.h"
#include "CheckBox.h"
#include "ClassTable.h"
#include "Color.h"
#include "Control.h"
#include "Delegate.h"
#include "Exceptions.h"
#include "Files.h"
#include "Line.h"
#include "MenuItem.h"
#include "Numbers.h"
#include "Object.h"
#include "Picture.h"
#include "PropertyList.h"
#include "PushButton.h"
#include "RadioButton.h"
#include "Separator.h"
#include "Slider.h"
#include "StaticText.h"
#include "Thread.h"
#include "Window.h"
#include "WindowDesign.h"

namespace qv {

// Builds the class tables of every framework class; the window lists start empty.
void InitFrameworkClassTables();

}  // namespace qv
