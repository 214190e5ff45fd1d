#pragma once

// The print settings wrapper: holds ICoreWebView2PrintSettings and version 2
// when offered, with a getter and a setter per setting under the wrappers'
// one rule. Destruction only releases the interfaces.

#include <cstdint>
#include <string>

#include "platform/Com.h"
#include "webview/abi/WebView2Abi.h"
#include "webview/loader/InterfaceVersions.h"

namespace velmoran::webview {

class TCoreWebView2PrintSettings {
 public:
  // Takes a reference to `aBaseIntf` (or none) and collects its newer versions.
  TCoreWebView2PrintSettings(ICoreWebView2PrintSettings* aBaseIntf, platform::Com& aCom);
  TCoreWebView2PrintSettings(const TCoreWebView2PrintSettings&) = delete;
  TCoreWebView2PrintSettings& operator=(const TCoreWebView2PrintSettings&) = delete;

  bool Initialized() const { return FVersions.Initialized(); }
  ICoreWebView2PrintSettings* BaseIntf() const { return FVersions.Get<ICoreWebView2PrintSettings>(); }

  // --- Runtime calls: get_X is X(), put_X is SetX(), a method keeps its name. ---

  // ICoreWebView2PrintSettings
  COREWEBVIEW2_PRINT_ORIENTATION Orientation() const;
  bool SetOrientation(COREWEBVIEW2_PRINT_ORIENTATION aValue);
  double ScaleFactor() const;
  bool SetScaleFactor(double aValue);
  double PageWidth() const;
  bool SetPageWidth(double aValue);
  double PageHeight() const;
  bool SetPageHeight(double aValue);
  double MarginTop() const;
  bool SetMarginTop(double aValue);
  double MarginBottom() const;
  bool SetMarginBottom(double aValue);
  double MarginLeft() const;
  bool SetMarginLeft(double aValue);
  double MarginRight() const;
  bool SetMarginRight(double aValue);
  bool ShouldPrintBackgrounds() const;
  bool SetShouldPrintBackgrounds(bool aValue);
  bool ShouldPrintSelectionOnly() const;
  bool SetShouldPrintSelectionOnly(bool aValue);
  bool ShouldPrintHeaderAndFooter() const;
  bool SetShouldPrintHeaderAndFooter(bool aValue);
  std::u16string HeaderTitle() const;
  bool SetHeaderTitle(const std::u16string& aValue);
  std::u16string FooterUri() const;
  bool SetFooterUri(const std::u16string& aValue);
  // ICoreWebView2PrintSettings2
  std::u16string PageRanges() const;
  bool SetPageRanges(const std::u16string& aValue);
  std::int32_t PagesPerSide() const;
  bool SetPagesPerSide(std::int32_t aValue);
  std::int32_t Copies() const;
  bool SetCopies(std::int32_t aValue);
  COREWEBVIEW2_PRINT_COLLATION Collation() const;
  bool SetCollation(COREWEBVIEW2_PRINT_COLLATION aValue);
  COREWEBVIEW2_PRINT_COLOR_MODE ColorMode() const;
  bool SetColorMode(COREWEBVIEW2_PRINT_COLOR_MODE aValue);
  COREWEBVIEW2_PRINT_DUPLEX Duplex() const;
  bool SetDuplex(COREWEBVIEW2_PRINT_DUPLEX aValue);
  COREWEBVIEW2_PRINT_MEDIA_SIZE MediaSize() const;
  bool SetMediaSize(COREWEBVIEW2_PRINT_MEDIA_SIZE aValue);
  std::u16string PrinterName() const;
  bool SetPrinterName(const std::u16string& aValue);

 private:
  platform::Com& FCom;
  InterfaceVersions<ICoreWebView2PrintSettings, ICoreWebView2PrintSettings2> FVersions;
};

}  // namespace velmoran::webview
