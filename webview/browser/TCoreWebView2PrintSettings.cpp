#include "webview/browser/TCoreWebView2PrintSettings.h"

#include "webview/browser/WrapperCalls.h"

namespace velmoran::webview {

TCoreWebView2PrintSettings::TCoreWebView2PrintSettings(ICoreWebView2PrintSettings* aBaseIntf,
                                                       platform::Com& aCom)
    : FCom(aCom), FVersions(aBaseIntf) {}

COREWEBVIEW2_PRINT_ORIENTATION TCoreWebView2PrintSettings::Orientation() const {
  return ReadValue<COREWEBVIEW2_PRINT_ORIENTATION>(FVersions.Get<ICoreWebView2PrintSettings>(),
                                                   &ICoreWebView2PrintSettings::get_Orientation);
}

bool TCoreWebView2PrintSettings::SetOrientation(COREWEBVIEW2_PRINT_ORIENTATION aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_Orientation, aValue);
}

double TCoreWebView2PrintSettings::ScaleFactor() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_ScaleFactor);
}

bool TCoreWebView2PrintSettings::SetScaleFactor(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_ScaleFactor, aValue);
}

double TCoreWebView2PrintSettings::PageWidth() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_PageWidth);
}

bool TCoreWebView2PrintSettings::SetPageWidth(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_PageWidth, aValue);
}

double TCoreWebView2PrintSettings::PageHeight() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_PageHeight);
}

bool TCoreWebView2PrintSettings::SetPageHeight(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_PageHeight, aValue);
}

double TCoreWebView2PrintSettings::MarginTop() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_MarginTop);
}

bool TCoreWebView2PrintSettings::SetMarginTop(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_MarginTop, aValue);
}

double TCoreWebView2PrintSettings::MarginBottom() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_MarginBottom);
}

bool TCoreWebView2PrintSettings::SetMarginBottom(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_MarginBottom, aValue);
}

double TCoreWebView2PrintSettings::MarginLeft() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_MarginLeft);
}

bool TCoreWebView2PrintSettings::SetMarginLeft(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_MarginLeft, aValue);
}

double TCoreWebView2PrintSettings::MarginRight() const {
  return ReadValue<double>(FVersions.Get<ICoreWebView2PrintSettings>(),
                           &ICoreWebView2PrintSettings::get_MarginRight);
}

bool TCoreWebView2PrintSettings::SetMarginRight(double aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_MarginRight, aValue);
}

bool TCoreWebView2PrintSettings::ShouldPrintBackgrounds() const {
  return ReadBool(FVersions.Get<ICoreWebView2PrintSettings>(),
                  &ICoreWebView2PrintSettings::get_ShouldPrintBackgrounds);
}

bool TCoreWebView2PrintSettings::SetShouldPrintBackgrounds(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_ShouldPrintBackgrounds, ToBOOL(aValue));
}

bool TCoreWebView2PrintSettings::ShouldPrintSelectionOnly() const {
  return ReadBool(FVersions.Get<ICoreWebView2PrintSettings>(),
                  &ICoreWebView2PrintSettings::get_ShouldPrintSelectionOnly);
}

bool TCoreWebView2PrintSettings::SetShouldPrintSelectionOnly(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_ShouldPrintSelectionOnly, ToBOOL(aValue));
}

bool TCoreWebView2PrintSettings::ShouldPrintHeaderAndFooter() const {
  return ReadBool(FVersions.Get<ICoreWebView2PrintSettings>(),
                  &ICoreWebView2PrintSettings::get_ShouldPrintHeaderAndFooter);
}

bool TCoreWebView2PrintSettings::SetShouldPrintHeaderAndFooter(bool aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_ShouldPrintHeaderAndFooter, ToBOOL(aValue));
}

std::u16string TCoreWebView2PrintSettings::HeaderTitle() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2PrintSettings>(),
                  &ICoreWebView2PrintSettings::get_HeaderTitle);
}

bool TCoreWebView2PrintSettings::SetHeaderTitle(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_HeaderTitle, AsWideText(aValue));
}

std::u16string TCoreWebView2PrintSettings::FooterUri() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2PrintSettings>(),
                  &ICoreWebView2PrintSettings::get_FooterUri);
}

bool TCoreWebView2PrintSettings::SetFooterUri(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings>(),
                       &ICoreWebView2PrintSettings::put_FooterUri, AsWideText(aValue));
}

std::u16string TCoreWebView2PrintSettings::PageRanges() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2PrintSettings2>(),
                  &ICoreWebView2PrintSettings2::get_PageRanges);
}

bool TCoreWebView2PrintSettings::SetPageRanges(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_PageRanges, AsWideText(aValue));
}

std::int32_t TCoreWebView2PrintSettings::PagesPerSide() const {
  return ReadValue<std::int32_t>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                 &ICoreWebView2PrintSettings2::get_PagesPerSide);
}

bool TCoreWebView2PrintSettings::SetPagesPerSide(std::int32_t aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_PagesPerSide, aValue);
}

std::int32_t TCoreWebView2PrintSettings::Copies() const {
  return ReadValue<std::int32_t>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                 &ICoreWebView2PrintSettings2::get_Copies);
}

bool TCoreWebView2PrintSettings::SetCopies(std::int32_t aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(), &ICoreWebView2PrintSettings2::put_Copies,
                       aValue);
}

COREWEBVIEW2_PRINT_COLLATION TCoreWebView2PrintSettings::Collation() const {
  return ReadValue<COREWEBVIEW2_PRINT_COLLATION>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                                 &ICoreWebView2PrintSettings2::get_Collation);
}

bool TCoreWebView2PrintSettings::SetCollation(COREWEBVIEW2_PRINT_COLLATION aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_Collation, aValue);
}

COREWEBVIEW2_PRINT_COLOR_MODE TCoreWebView2PrintSettings::ColorMode() const {
  return ReadValue<COREWEBVIEW2_PRINT_COLOR_MODE>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                                  &ICoreWebView2PrintSettings2::get_ColorMode);
}

bool TCoreWebView2PrintSettings::SetColorMode(COREWEBVIEW2_PRINT_COLOR_MODE aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_ColorMode, aValue);
}

COREWEBVIEW2_PRINT_DUPLEX TCoreWebView2PrintSettings::Duplex() const {
  return ReadValue<COREWEBVIEW2_PRINT_DUPLEX>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                              &ICoreWebView2PrintSettings2::get_Duplex);
}

bool TCoreWebView2PrintSettings::SetDuplex(COREWEBVIEW2_PRINT_DUPLEX aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(), &ICoreWebView2PrintSettings2::put_Duplex,
                       aValue);
}

COREWEBVIEW2_PRINT_MEDIA_SIZE TCoreWebView2PrintSettings::MediaSize() const {
  return ReadValue<COREWEBVIEW2_PRINT_MEDIA_SIZE>(FVersions.Get<ICoreWebView2PrintSettings2>(),
                                                  &ICoreWebView2PrintSettings2::get_MediaSize);
}

bool TCoreWebView2PrintSettings::SetMediaSize(COREWEBVIEW2_PRINT_MEDIA_SIZE aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_MediaSize, aValue);
}

std::u16string TCoreWebView2PrintSettings::PrinterName() const {
  return ReadText(FCom, FVersions.Get<ICoreWebView2PrintSettings2>(),
                  &ICoreWebView2PrintSettings2::get_PrinterName);
}

bool TCoreWebView2PrintSettings::SetPrinterName(const std::u16string& aValue) {
  return CallSucceeded(FVersions.Get<ICoreWebView2PrintSettings2>(),
                       &ICoreWebView2PrintSettings2::put_PrinterName, AsWideText(aValue));
}

}  // namespace velmoran::webview
