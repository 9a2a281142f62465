#include "printing/DrawingPages.h"

#include <string>
#include <string_view>

#include "foundation/Globals.h"
#include "platform/runtime/Trap.h"
#include "printing/BusyStatus.h"
#include "printing/PagePrinting.h"
#include "printing/Printing.h"

namespace CadFunctions {
namespace {

constexpr std::string_view kModule = "CadFunctions";

bool Heli() { return Globals::vars().AircraftClass == 2; }

// Until the aircraft drawings are composed onto them, the drawing pages print their template
// with its texts filled.
void PrintTemplatePage(std::string_view routine, std::string_view status, const std::string& file) {
  vb::Proc g(kModule, routine);
  Printing::BusyStatus busy(status);
  g.step([] { Printing::hooks().Delay(0.1f); });
  PrintDXF(file);
}

}  // namespace

void PrintExterior() { PrintTemplatePage("PrintExterior", "Printing Exterior page", "Exterior.dxf"); }
void PrintTop() { PrintTemplatePage("PrintTop", "Printing Top page", "Top.dxf"); }
void PrintSide() { PrintTemplatePage("PrintSide", "Printing Side page", "Side.dxf"); }
void PrintFront() { PrintTemplatePage("PrintFront", "Printing Front page", "Front.dxf"); }
void PrintInteriorAndCabin() {
  PrintTemplatePage("PrintInteriorAndCabin", "Printing Interior and Cabin page",
                    Heli() ? "InteriorHeli.dxf" : "Interior.dxf");
}
void PrintInterior() {
  PrintTemplatePage("PrintInterior", "Printing Interior page",
                    Heli() ? "InteriorHeli.dxf" : "Interior.dxf");
}
void PrintCabin() {
  PrintTemplatePage("PrintCabin", "Printing Interior page", Heli() ? "CabinHeli.dxf" : "Cabin.dxf");
}

}  // namespace CadFunctions
