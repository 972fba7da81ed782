#include "vocabulary.h"

namespace tarnwick::vocabulary {

namespace {

constexpr std::string_view kNouns[] = {
    "Customer", "Supplier", "Invoice",  "Order",    "Product",   "Stock",    "Warehouse", "Shipment",
    "Payment",  "Account",  "Ledger",   "Journal",  "Tax",       "Price",    "Discount",  "Contact",
    "Address",  "Employee", "Department", "Project", "Task",     "Contract", "Report",    "Chart",
    "Budget",   "Forecast", "Asset",    "Vehicle",  "Route",     "Delivery", "Receipt",   "Refund",
    "Quote",    "Lead",     "Campaign", "Ticket",   "Issue",     "Audit",    "Backup",    "Import",
    "Export",   "Login",    "User",     "Role",     "Permission", "Setting", "Printer",   "Barcode",
    "Batch",    "Serial",   "Currency", "Rate",     "Bank",      "Cash",     "Till",      "Shift",
    "Schedule", "Calendar", "Note",     "Document", "Archive",   "Template", "Mail",      "Search",
    "Filter",   "Alarm",    "Sensor",   "Device",   "Station",   "Meter",    "Reading",   "Tariff",
    "Zone",     "Region",   "Branch",   "Store",    "Category",  "Brand",    "Catalog",   "Vendor",
    "Purchase", "Sale",     "Return",   "Credit",   "Voucher",   "Member",   "Patient",   "Visit"};

constexpr std::string_view kVerbs[] = {
    "Load",    "Save",   "Validate", "Refresh", "Calculate", "Print",  "Export", "Import",
    "Find",    "Update", "Check",    "Apply",   "Format",    "Parse",  "Build",  "Clear",
    "Restore", "Post",   "Cancel",   "Lock",    "Merge",     "Sort",   "Count",  "Send"};

constexpr std::string_view kProjectNames[] = {"StockControl", "FleetManager", "ClinicDesk",   "LedgerPro",
                                              "ServiceDesk",  "ShopFloor",    "MemberBase",   "TariffPlanner",
                                              "DepotLink",    "CashPoint",    "OrderCentre",  "MeterReader"};
constexpr std::string_view kProjectTitles[] = {"Stock Control", "Fleet Manager",  "Clinic Desk",  "Ledger Pro",
                                               "Service Desk",  "Shop Floor",     "Member Base",  "Tariff Planner",
                                               "Depot Link",    "Cash Point",     "Order Centre", "Meter Reader"};

constexpr std::string_view kOutsideUnits[] = {
    "Windows",  "Messages", "SysUtils", "Variants", "Classes",  "Graphics", "Controls", "Forms",
    "Dialogs",  "DB",       "ADODB",    "DBClient", "Provider", "StdCtrls", "ExtCtrls", "ComCtrls",
    "Buttons",  "Menus",    "ActnList", "ImgList",  "Grids",    "DBGrids",  "DBCtrls",  "Mask",
    "ToolWin",  "Math",     "StrUtils", "DateUtils", "IniFiles", "Registry", "Contnrs", "ShellAPI",
    "Printers", "Generics.Collections", "IOUtils", "Types"};
constexpr std::string_view kDottedOutsideUnits[] = {
    "Winapi.Windows",     "Winapi.Messages",   "System.SysUtils",   "System.Variants",
    "System.Classes",     "Vcl.Graphics",      "Vcl.Controls",      "Vcl.Forms",
    "Vcl.Dialogs",        "Data.DB",           "Data.Win.ADODB",    "Datasnap.DBClient",
    "Datasnap.Provider",  "Vcl.StdCtrls",      "Vcl.ExtCtrls",      "Vcl.ComCtrls",
    "Vcl.Buttons",        "Vcl.Menus",         "Vcl.ActnList",      "Vcl.ImgList",
    "Vcl.Grids",          "Vcl.DBGrids",       "Vcl.DBCtrls",       "Vcl.Mask",
    "Vcl.ToolWin",        "System.Math",       "System.StrUtils",   "System.DateUtils",
    "System.IniFiles",    "System.Win.Registry", "System.Contnrs",  "Winapi.ShellAPI",
    "Vcl.Printers",       "System.Generics.Collections", "System.IOUtils", "System.Types"};

constexpr std::string_view kRemarks[] = {
    "Keeps the grid and the detail panel in step",
    "Called once the data module has opened its tables",
    "The caller owns the result and must free it",
    "Rounded to whole cents before it is shown",
    "Empty when the user has not chosen anything yet",
    "Do not change the order: the report relies on it",
    "Restores the layout the user saved last time",
    "Works around a repaint problem of the list view",
    "Totals are recalculated on every change of the quantity",
    "The old file format is still read, never written",
    "Only administrators may see this page",
    "Dates are stored as local time"};

}  // namespace

std::span<const std::string_view> Nouns() { return kNouns; }
std::span<const std::string_view> Verbs() { return kVerbs; }
std::span<const std::string_view> ProjectNames() { return kProjectNames; }
std::span<const std::string_view> ProjectTitles() { return kProjectTitles; }
std::span<const std::string_view> OutsideUnits() { return kOutsideUnits; }
std::span<const std::string_view> DottedOutsideUnits() { return kDottedOutsideUnits; }
std::span<const std::string_view> Remarks() { return kRemarks; }

static_assert(std::size(kOutsideUnits) == std::size(kDottedOutsideUnits));
static_assert(std::size(kProjectNames) == std::size(kProjectTitles));

}  // namespace tarnwick::vocabulary
