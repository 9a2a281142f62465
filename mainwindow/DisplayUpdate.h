#pragma once
// frmMain.UpdateDisplay: brings the main window in line with the current pair of aircraft, the
// aircraft class and the unit setting (print items and tabs by class, helicopter interiors and
// WAT charts, drawing views reset, unit captions, every data label of both planes, the Choose
// submenus), and ends by showing the current tab.
#include <string>
#include <string_view>

#include "mainwindow/AircraftData.h"
#include "mainwindow/MainView.h"

namespace MainForm {

// The whole update. Events that run inside it (it waits a moment before each aircraft's
// record) may ask for another update; that one runs once the current one has finished, so
// two updates never interleave.
void UpdateDisplay(MainView& view, AircraftData& data);

// The caption of a unit label for its Tag, the kind of label (padded or embedded unit) and the
// unit setting: a padded caption is the (metric) unit padded on the left with underscores to
// 15 characters; an embedded one replaces every "<unit>" by its metric label, or with metric
// off drops the angle brackets.
std::string UnitCaption(std::string_view tag, bool padded, bool metric);

}  // namespace MainForm
