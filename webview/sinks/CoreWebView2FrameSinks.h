#pragma once

// The sinks of a frame's events and of a download's events. Each carries the
// browser control's number for the frame or download it was subscribed on
// (EventIdSink.h). The frame wrapper subscribes the frame's, the download
// wrapper the download's.

#include "webview/abi/WebView2Abi.h"
#include "webview/sinks/EventIdSink.h"
#include "webview/sinks/IWVBrowserEvents.h"

namespace velmoran::webview {

// Events of a frame, in the order its wrapper subscribes them.
using TCoreWebView2FrameNameChangedEventHandler =
    EventIdSink<ICoreWebView2FrameNameChangedEventHandler, &IWVBrowserEvents::HandleFrameNameChanged,
                u"FrameNameChanged">;
using TCoreWebView2FrameDestroyedEventHandler =
    EventIdSink<ICoreWebView2FrameDestroyedEventHandler, &IWVBrowserEvents::HandleFrameDestroyed,
                u"FrameDestroyed">;
using TCoreWebView2FrameNavigationStarting2EventHandler =
    EventIdSink<ICoreWebView2FrameNavigationStartingEventHandler,
                &IWVBrowserEvents::HandleFrameNavigationStarting2, u"FrameNavigationStarting2">;
using TCoreWebView2FrameContentLoadingEventHandler =
    EventIdSink<ICoreWebView2FrameContentLoadingEventHandler, &IWVBrowserEvents::HandleFrameContentLoading,
                u"FrameContentLoading">;
using TCoreWebView2FrameNavigationCompleted2EventHandler =
    EventIdSink<ICoreWebView2FrameNavigationCompletedEventHandler,
                &IWVBrowserEvents::HandleFrameNavigationCompleted2, u"FrameNavigationCompleted2">;
using TCoreWebView2FrameDOMContentLoadedEventHandler =
    EventIdSink<ICoreWebView2FrameDOMContentLoadedEventHandler,
                &IWVBrowserEvents::HandleFrameDOMContentLoaded, u"FrameDOMContentLoaded">;
using TCoreWebView2FrameWebMessageReceivedEventHandler =
    EventIdSink<ICoreWebView2FrameWebMessageReceivedEventHandler,
                &IWVBrowserEvents::HandleFrameWebMessageReceived, u"FrameWebMessageReceived">;
using TCoreWebView2FramePermissionRequestedEventHandler =
    EventIdSink<ICoreWebView2FramePermissionRequestedEventHandler,
                &IWVBrowserEvents::HandleFramePermissionRequested, u"FramePermissionRequested">;
using TCoreWebView2FrameScreenCaptureStartingEventHandler =
    EventIdSink<ICoreWebView2FrameScreenCaptureStartingEventHandler,
                &IWVBrowserEvents::HandleFrameScreenCaptureStarting, u"FrameScreenCaptureStarting">;

// Events of a download operation.
using TCoreWebView2BytesReceivedChangedEventHandler =
    EventIdSink<ICoreWebView2BytesReceivedChangedEventHandler, &IWVBrowserEvents::HandleBytesReceivedChanged,
                u"BytesReceivedChanged">;
using TCoreWebView2EstimatedEndTimeChangedEventHandler =
    EventIdSink<ICoreWebView2EstimatedEndTimeChangedEventHandler,
                &IWVBrowserEvents::HandleEstimatedEndTimeChanged, u"EstimatedEndTimeChanged">;
using TCoreWebView2StateChangedEventHandler =
    EventIdSink<ICoreWebView2StateChangedEventHandler, &IWVBrowserEvents::HandleDownloadStateChanged,
                u"DownloadStateChanged">;

}  // namespace velmoran::webview
