#pragma once
// The drawing pages of module CadFunctions: the aircraft drawings composed onto a page template
// in CAD(0) at a common scale, then printed like the other pages onto the current page of
// Printing::Target(). The print commands call them like the data pages (no arguments; the
// scale comes from Printing::Vars, the interior configuration from Globals).
namespace CadFunctions {

// The exterior page: side, top and front views of both aircraft overlaid ("Exterior.dxf").
void PrintExterior();
// One exterior view of both aircraft side by side ("Top.dxf", "Side.dxf", "Front.dxf").
void PrintTop();
void PrintSide();
void PrintFront();
// Interior and cabin views of both aircraft overlaid on one page ("Interior.dxf" /
// "InteriorHeli.dxf"), and the interior and the cabin views side by side on a page each
// ("Interior.dxf" / "InteriorHeli.dxf", "Cabin.dxf" / "CabinHeli.dxf").
void PrintInteriorAndCabin();
void PrintInterior();
void PrintCabin();

}  // namespace CadFunctions
