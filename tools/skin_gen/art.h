// The groups of artwork; each adds its images to the sink.
#pragma once

#include "kit.h"

namespace skin {

void DrawControls(Sink& sink);        // buttons, boxes, headers, fields, sliders, swatches
void DrawFrames(Sink& sink);          // dialog frames and the section frame
void DrawMouse(Sink& sink);           // mouse picture, button markers, DPI bars and plates
void DrawSettings(Sink& sink);        // report-rate tiles, sleep dial, battery
void DrawMacroEditor(Sink& sink);     // macro manager icons and record button
void DrawWindows(Sink& sink);         // main window and palette backgrounds
void DrawResourceImages(Sink& sink);  // popup background, scroll arrows, application icon

// The dialog look shared by the frames and the palette background (opaque).
QImage DialogFrame(int width, int height, int titleHeight);

}  // namespace skin
