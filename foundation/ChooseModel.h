#pragma once
// The state and logic of the "Choose Aircraft" dialog (frmChoose), free of Qt so that it runs
// headless: the category box, the list of aircraft offered (List1), the list of aircraft chosen
// (List2, first line Plane 1, second Plane 2), the Add and Remove buttons and the aircraft class.
// The dialog's event handlers are methods of the same names; frmChoose only forwards the
// user's actions and shows the state.
//
// Shared state: it reads the aircraft list (Globals), reads Aircraft1/Aircraft2 of
// Registry::RegSettings() at load and writes them on OK, and writes Globals AircraftClass and
// CategorySelected.
#include <string>
#include <vector>

// What the dialog asks of the windows around it. Every member does nothing by default; the
// main window installs its own.
class ChooseHooks {
 public:
  virtual ~ChooseHooks() = default;
  // Toolbar.FormLoad and Toolbar.FormUnload: the floating tool window is lowered while the
  // dialog is open and raised again when it closes.
  virtual void ToolbarFormLoad() {}
  virtual void ToolbarFormUnload() {}
  // ChartLabelCount(chart) of the chart notes, charts 1 to 16.
  virtual void SetChartLabelCount(int /*chart*/, int /*count*/) {}
  // TabDrawn(tab) of the tab dispatcher.
  virtual void SetTabDrawn(int /*tab*/, bool /*drawn*/) {}
};

// Installs the dialog's hooks; nullptr restores the ones that do nothing.
void InstallChooseHooks(ChooseHooks* hooks);
ChooseHooks& chooseHooks();
ChooseHooks* InstalledChooseHooks();  // nullptr while the ones that do nothing serve

class ChooseModel {
 public:
  // A line of List1 or List2: the aircraft's full name and, as its item data, its number, so
  // that two aircraft of the same full name stay apart.
  struct Line {
    std::string Text;
    std::string AcNum;
    bool operator==(const Line&) const = default;
  };

  // What the controls show.
  struct State {
    std::vector<std::string> CategoryItems;  // the box's drop-down list
    std::string CategoryText = "Category";   // the box's text (the design text until loaded)
    std::vector<Line> List1;                 // offered, sorted by full name
    int List1Index = -1;                     // the selected line; -1 none
    std::vector<Line> List2;                 // chosen
    int List2Index = -1;
    bool AddEnabled = true;
    bool RemoveEnabled = true;
  };

  enum class Outcome { Open, OK, Cancel };

  // The category texts, in the order they are always listed.
  static const std::vector<std::string>& AllCategories();
  // At most this many aircraft are offered in one category.
  static constexpr size_t kMaxOffered = 10000;

  const State& state() const { return state_; }
  // Open until OK or Cancel (or the close box) ended the dialog.
  Outcome outcome() const { return outcome_; }

  // --- What the user does to the controls ---
  // An entry of the drop-down list picked: the box shows it and cmbCategory_Click runs. An
  // index out of range does nothing.
  void PickCategory(int index);
  // Text typed into the box: only the box's text changes.
  void TypeCategory(std::string text);
  // A line of List1 or List2 selected (-1 or out of range: none).
  void SelectList1(int row);
  void SelectList2(int row);

  // --- The dialog's event handlers ---
  void Form_Load();
  // The dialog closes: the floating tool window comes back.
  void Form_Unload();
  // The dialog is closed by other means than OK or Cancel (the window's close box, Esc): that
  // acts as Cancel, so the class always agrees with Plane 1 afterwards.
  void Form_QueryUnload();
  // The drop-down list's entry was picked (or selected at load): List1 shows the offered
  // aircraft of the box's category.
  void cmbCategory_Click();
  void cmdAdd_Click();
  void List1_DblClick();
  // Moves the selected aircraft of List1 to List2 (at most two chosen) and fixes the class.
  void MoveItems();
  // Removes the selected aircraft of List2; with none left every category is offered again.
  void cmdRemove_Click();
  void List2_DblClick();
  // Stores the chosen aircraft numbers as Plane 1 and Plane 2 and marks the drawing tabs
  // for rebuilding.
  void cmdOK_Click();
  // Leaves both aircraft numbers as they were and takes the class back from Plane 1.
  void cmdCancel_Click();

 private:
  // Offers the categories of a class (0: all four) in the box.
  void OfferCategories(int aircraftClass);

  State state_;
  Outcome outcome_ = Outcome::Open;
};
