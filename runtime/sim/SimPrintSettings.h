#pragma once

// Generated from the runtime's interface tables, then kept by hand.
// The simulated print settings, ICoreWebView2PrintSettings and 2: every setting
// is a stored value.

#include <memory>
#include <utility>

#include "runtime/sim/SimEventHandlers.h"
#include "runtime/sim/SimPropertyValues.h"
#include "runtime/sim/SimRuntimeContext.h"
#include "runtime/sim/SimVersionLimit.h"
#include "webview/abi/ComObject.h"
#include "webview/abi/WebView2Ids.h"
#include "webview/abi/WebView2Interfaces.h"

namespace velmoran::runtime::sim {

class SimPrintSettings final : public webview::ComObject<ICoreWebView2PrintSettings2>,
                               protected SimCountedObject {
 public:
  SimPrintSettings(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions)
      : SimCountedObject(std::move(context)),
        versions_(std::move(versions)),
        events_(Context()),
        values_(Context()) {}

  // Answers only the versions the test offers.
  HRESULT WV2_STDCALL QueryInterface(REFIID riid, void** object) override {
    if (object != nullptr &&
        versions_.Refuses(riid, {&IID_ICoreWebView2PrintSettings, &IID_ICoreWebView2PrintSettings2})) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return BasicComObject::QueryInterface(riid, object);
  }

  SimEventHandlers& Events() { return events_; }
  SimPropertyValues& Values() { return values_; }

  // ICoreWebView2PrintSettings
  HRESULT WV2_STDCALL get_Orientation(COREWEBVIEW2_PRINT_ORIENTATION* value) override {
    return values_.Get("Orientation", value);
  }
  HRESULT WV2_STDCALL put_Orientation(COREWEBVIEW2_PRINT_ORIENTATION value) override {
    return values_.Put("Orientation", value);
  }
  HRESULT WV2_STDCALL get_ScaleFactor(double* value) override { return values_.Get("ScaleFactor", value); }
  HRESULT WV2_STDCALL put_ScaleFactor(double value) override { return values_.Put("ScaleFactor", value); }
  HRESULT WV2_STDCALL get_PageWidth(double* value) override { return values_.Get("PageWidth", value); }
  HRESULT WV2_STDCALL put_PageWidth(double value) override { return values_.Put("PageWidth", value); }
  HRESULT WV2_STDCALL get_PageHeight(double* value) override { return values_.Get("PageHeight", value); }
  HRESULT WV2_STDCALL put_PageHeight(double value) override { return values_.Put("PageHeight", value); }
  HRESULT WV2_STDCALL get_MarginTop(double* value) override { return values_.Get("MarginTop", value); }
  HRESULT WV2_STDCALL put_MarginTop(double value) override { return values_.Put("MarginTop", value); }
  HRESULT WV2_STDCALL get_MarginBottom(double* value) override { return values_.Get("MarginBottom", value); }
  HRESULT WV2_STDCALL put_MarginBottom(double value) override { return values_.Put("MarginBottom", value); }
  HRESULT WV2_STDCALL get_MarginLeft(double* value) override { return values_.Get("MarginLeft", value); }
  HRESULT WV2_STDCALL put_MarginLeft(double value) override { return values_.Put("MarginLeft", value); }
  HRESULT WV2_STDCALL get_MarginRight(double* value) override { return values_.Get("MarginRight", value); }
  HRESULT WV2_STDCALL put_MarginRight(double value) override { return values_.Put("MarginRight", value); }
  HRESULT WV2_STDCALL get_ShouldPrintBackgrounds(BOOL* value) override {
    return values_.Get("ShouldPrintBackgrounds", value);
  }
  HRESULT WV2_STDCALL put_ShouldPrintBackgrounds(BOOL value) override {
    return values_.Put("ShouldPrintBackgrounds", value);
  }
  HRESULT WV2_STDCALL get_ShouldPrintSelectionOnly(BOOL* value) override {
    return values_.Get("ShouldPrintSelectionOnly", value);
  }
  HRESULT WV2_STDCALL put_ShouldPrintSelectionOnly(BOOL value) override {
    return values_.Put("ShouldPrintSelectionOnly", value);
  }
  HRESULT WV2_STDCALL get_ShouldPrintHeaderAndFooter(BOOL* value) override {
    return values_.Get("ShouldPrintHeaderAndFooter", value);
  }
  HRESULT WV2_STDCALL put_ShouldPrintHeaderAndFooter(BOOL value) override {
    return values_.Put("ShouldPrintHeaderAndFooter", value);
  }
  HRESULT WV2_STDCALL get_HeaderTitle(LPWSTR* value) override { return values_.Get("HeaderTitle", value); }
  HRESULT WV2_STDCALL put_HeaderTitle(LPCWSTR value) override { return values_.Put("HeaderTitle", value); }
  HRESULT WV2_STDCALL get_FooterUri(LPWSTR* value) override { return values_.Get("FooterUri", value); }
  HRESULT WV2_STDCALL put_FooterUri(LPCWSTR value) override { return values_.Put("FooterUri", value); }
  // ICoreWebView2PrintSettings2
  HRESULT WV2_STDCALL get_PageRanges(LPWSTR* value) override { return values_.Get("PageRanges", value); }
  HRESULT WV2_STDCALL put_PageRanges(LPCWSTR value) override { return values_.Put("PageRanges", value); }
  HRESULT WV2_STDCALL get_PagesPerSide(INT32* value) override { return values_.Get("PagesPerSide", value); }
  HRESULT WV2_STDCALL put_PagesPerSide(INT32 value) override { return values_.Put("PagesPerSide", value); }
  HRESULT WV2_STDCALL get_Copies(INT32* value) override { return values_.Get("Copies", value); }
  HRESULT WV2_STDCALL put_Copies(INT32 value) override { return values_.Put("Copies", value); }
  HRESULT WV2_STDCALL get_Collation(COREWEBVIEW2_PRINT_COLLATION* value) override {
    return values_.Get("Collation", value);
  }
  HRESULT WV2_STDCALL put_Collation(COREWEBVIEW2_PRINT_COLLATION value) override {
    return values_.Put("Collation", value);
  }
  HRESULT WV2_STDCALL get_ColorMode(COREWEBVIEW2_PRINT_COLOR_MODE* value) override {
    return values_.Get("ColorMode", value);
  }
  HRESULT WV2_STDCALL put_ColorMode(COREWEBVIEW2_PRINT_COLOR_MODE value) override {
    return values_.Put("ColorMode", value);
  }
  HRESULT WV2_STDCALL get_Duplex(COREWEBVIEW2_PRINT_DUPLEX* value) override {
    return values_.Get("Duplex", value);
  }
  HRESULT WV2_STDCALL put_Duplex(COREWEBVIEW2_PRINT_DUPLEX value) override {
    return values_.Put("Duplex", value);
  }
  HRESULT WV2_STDCALL get_MediaSize(COREWEBVIEW2_PRINT_MEDIA_SIZE* value) override {
    return values_.Get("MediaSize", value);
  }
  HRESULT WV2_STDCALL put_MediaSize(COREWEBVIEW2_PRINT_MEDIA_SIZE value) override {
    return values_.Put("MediaSize", value);
  }
  HRESULT WV2_STDCALL get_PrinterName(LPWSTR* value) override { return values_.Get("PrinterName", value); }
  HRESULT WV2_STDCALL put_PrinterName(LPCWSTR value) override { return values_.Put("PrinterName", value); }

 protected:
  SimVersionLimit versions_;
  SimEventHandlers events_;
  SimPropertyValues values_;
};

}  // namespace velmoran::runtime::sim
