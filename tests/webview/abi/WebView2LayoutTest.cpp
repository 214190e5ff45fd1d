// The declarations must place every method in the vtable slot the runtime's
// published header gives it, and carry its interface ids: a method one slot off
// would call a different method of the real runtime. The expected slots and ids
// below are copied from the runtime's ABI tables, independently of the generated
// declarations, for a sample of the interfaces this system uses and a few others.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "webview/abi/Automation.h"
#include "webview/abi/WebView2Abi.h"

namespace velmoran::test {
namespace {

using webview::GuidToRegistryText;
using webview::InterfaceTraits;

// The vtable slot a virtual method occupies. g++ and clang (and mingw's g++)
// follow the Itanium C++ ABI, where a pointer to a virtual member function
// holds 1 + the byte offset of the method's vtable entry in its first word.
template <typename Method>
std::size_t VtableSlot(Method method) {
  static_assert(sizeof(Method) == 2 * sizeof(std::uintptr_t));
  std::uintptr_t words[2];
  std::memcpy(words, &method, sizeof words);
  return static_cast<std::size_t>((words[0] - 1) / sizeof(void*));
}

struct Slot {
  const char* method;
  std::size_t actual;
  std::size_t expected;
};

struct InterfaceCase {
  const char* name;
  std::u16string actualId;
  std::u16string expectedId;
  std::vector<Slot> slots;
};

#define SLOT(Interface, Method, Expected) \
  Slot { #Method, VtableSlot(&Interface::Method), Expected }

const std::vector<InterfaceCase>& Cases() {
  static const std::vector<InterfaceCase> cases = {
      {"IUnknown",
       GuidToRegistryText(IID_IUnknown),
       u"{00000000-0000-0000-C000-000000000046}",
       // The system's IUnknown adds a template QueryInterface on Windows: the slot is the COM one.
       {Slot{"QueryInterface",
             VtableSlot(
                 static_cast<HRESULT (WV2_STDCALL IUnknown::*)(REFIID, void**)>(&IUnknown::QueryInterface)),
             0},
        SLOT(IUnknown, AddRef, 1), SLOT(IUnknown, Release, 2)}},
      {"IDispatch",
       GuidToRegistryText(IID_IDispatch),
       u"{00020400-0000-0000-C000-000000000046}",
       {SLOT(IDispatch, GetTypeInfoCount, 3), SLOT(IDispatch, GetTypeInfo, 4),
        SLOT(IDispatch, GetIDsOfNames, 5), SLOT(IDispatch, Invoke, 6)}},
      {"ICoreWebView2",
       GuidToRegistryText(IID_ICoreWebView2),
       u"{76ECEACB-0462-4D94-AC83-423A6793775E}",
       {SLOT(ICoreWebView2, get_Settings, 3),
        SLOT(ICoreWebView2, get_Source, 4),
        SLOT(ICoreWebView2, Navigate, 5),
        SLOT(ICoreWebView2, NavigateToString, 6),
        SLOT(ICoreWebView2, add_NavigationStarting, 7),
        SLOT(ICoreWebView2, remove_NavigationStarting, 8),
        SLOT(ICoreWebView2, add_ContentLoading, 9),
        SLOT(ICoreWebView2, remove_ContentLoading, 10),
        SLOT(ICoreWebView2, add_SourceChanged, 11),
        SLOT(ICoreWebView2, remove_SourceChanged, 12),
        SLOT(ICoreWebView2, add_HistoryChanged, 13),
        SLOT(ICoreWebView2, remove_HistoryChanged, 14),
        SLOT(ICoreWebView2, add_NavigationCompleted, 15),
        SLOT(ICoreWebView2, remove_NavigationCompleted, 16),
        SLOT(ICoreWebView2, add_FrameNavigationStarting, 17),
        SLOT(ICoreWebView2, remove_FrameNavigationStarting, 18),
        SLOT(ICoreWebView2, add_FrameNavigationCompleted, 19),
        SLOT(ICoreWebView2, remove_FrameNavigationCompleted, 20),
        SLOT(ICoreWebView2, add_ScriptDialogOpening, 21),
        SLOT(ICoreWebView2, remove_ScriptDialogOpening, 22),
        SLOT(ICoreWebView2, add_PermissionRequested, 23),
        SLOT(ICoreWebView2, remove_PermissionRequested, 24),
        SLOT(ICoreWebView2, add_ProcessFailed, 25),
        SLOT(ICoreWebView2, remove_ProcessFailed, 26),
        SLOT(ICoreWebView2, AddScriptToExecuteOnDocumentCreated, 27),
        SLOT(ICoreWebView2, RemoveScriptToExecuteOnDocumentCreated, 28),
        SLOT(ICoreWebView2, ExecuteScript, 29),
        SLOT(ICoreWebView2, CapturePreview, 30),
        SLOT(ICoreWebView2, Reload, 31),
        SLOT(ICoreWebView2, PostWebMessageAsJson, 32),
        SLOT(ICoreWebView2, PostWebMessageAsString, 33),
        SLOT(ICoreWebView2, add_WebMessageReceived, 34),
        SLOT(ICoreWebView2, remove_WebMessageReceived, 35),
        SLOT(ICoreWebView2, CallDevToolsProtocolMethod, 36),
        SLOT(ICoreWebView2, get_BrowserProcessId, 37),
        SLOT(ICoreWebView2, get_CanGoBack, 38),
        SLOT(ICoreWebView2, get_CanGoForward, 39),
        SLOT(ICoreWebView2, GoBack, 40),
        SLOT(ICoreWebView2, GoForward, 41),
        SLOT(ICoreWebView2, GetDevToolsProtocolEventReceiver, 42),
        SLOT(ICoreWebView2, Stop, 43),
        SLOT(ICoreWebView2, add_NewWindowRequested, 44),
        SLOT(ICoreWebView2, remove_NewWindowRequested, 45),
        SLOT(ICoreWebView2, add_DocumentTitleChanged, 46),
        SLOT(ICoreWebView2, remove_DocumentTitleChanged, 47),
        SLOT(ICoreWebView2, get_DocumentTitle, 48),
        SLOT(ICoreWebView2, AddHostObjectToScript, 49),
        SLOT(ICoreWebView2, RemoveHostObjectFromScript, 50),
        SLOT(ICoreWebView2, OpenDevToolsWindow, 51),
        SLOT(ICoreWebView2, add_ContainsFullScreenElementChanged, 52),
        SLOT(ICoreWebView2, remove_ContainsFullScreenElementChanged, 53),
        SLOT(ICoreWebView2, get_ContainsFullScreenElement, 54),
        SLOT(ICoreWebView2, add_WebResourceRequested, 55),
        SLOT(ICoreWebView2, remove_WebResourceRequested, 56),
        SLOT(ICoreWebView2, AddWebResourceRequestedFilter, 57),
        SLOT(ICoreWebView2, RemoveWebResourceRequestedFilter, 58),
        SLOT(ICoreWebView2, add_WindowCloseRequested, 59),
        SLOT(ICoreWebView2, remove_WindowCloseRequested, 60)}},
      {"ICoreWebView2_2",
       GuidToRegistryText(IID_ICoreWebView2_2),
       u"{9E8F0CF8-E670-4B5E-B2BC-73E061E3184C}",
       {SLOT(ICoreWebView2_2, add_WebResourceResponseReceived, 61),
        SLOT(ICoreWebView2_2, remove_WebResourceResponseReceived, 62),
        SLOT(ICoreWebView2_2, NavigateWithWebResourceRequest, 63),
        SLOT(ICoreWebView2_2, add_DOMContentLoaded, 64), SLOT(ICoreWebView2_2, remove_DOMContentLoaded, 65),
        SLOT(ICoreWebView2_2, get_CookieManager, 66), SLOT(ICoreWebView2_2, get_Environment, 67)}},
      {"ICoreWebView2_13",
       GuidToRegistryText(IID_ICoreWebView2_13),
       u"{F75F09A8-667E-4983-88D6-C8773F315E84}",
       {SLOT(ICoreWebView2_13, get_Profile, 105)}},
      {"ICoreWebView2_27",
       GuidToRegistryText(IID_ICoreWebView2_27),
       u"{00FBE33B-8C07-517C-AA23-0DDD4B5F6FA0}",
       {SLOT(ICoreWebView2_27, add_ScreenCaptureStarting, 133),
        SLOT(ICoreWebView2_27, remove_ScreenCaptureStarting, 134)}},
      {"ICoreWebView2Controller",
       GuidToRegistryText(IID_ICoreWebView2Controller),
       u"{4D00C0D1-9434-4EB6-8078-8697A560334F}",
       {SLOT(ICoreWebView2Controller, get_IsVisible, 3),
        SLOT(ICoreWebView2Controller, put_IsVisible, 4),
        SLOT(ICoreWebView2Controller, get_Bounds, 5),
        SLOT(ICoreWebView2Controller, put_Bounds, 6),
        SLOT(ICoreWebView2Controller, get_ZoomFactor, 7),
        SLOT(ICoreWebView2Controller, put_ZoomFactor, 8),
        SLOT(ICoreWebView2Controller, add_ZoomFactorChanged, 9),
        SLOT(ICoreWebView2Controller, remove_ZoomFactorChanged, 10),
        SLOT(ICoreWebView2Controller, SetBoundsAndZoomFactor, 11),
        SLOT(ICoreWebView2Controller, MoveFocus, 12),
        SLOT(ICoreWebView2Controller, add_MoveFocusRequested, 13),
        SLOT(ICoreWebView2Controller, remove_MoveFocusRequested, 14),
        SLOT(ICoreWebView2Controller, add_GotFocus, 15),
        SLOT(ICoreWebView2Controller, remove_GotFocus, 16),
        SLOT(ICoreWebView2Controller, add_LostFocus, 17),
        SLOT(ICoreWebView2Controller, remove_LostFocus, 18),
        SLOT(ICoreWebView2Controller, add_AcceleratorKeyPressed, 19),
        SLOT(ICoreWebView2Controller, remove_AcceleratorKeyPressed, 20),
        SLOT(ICoreWebView2Controller, get_ParentWindow, 21),
        SLOT(ICoreWebView2Controller, put_ParentWindow, 22),
        SLOT(ICoreWebView2Controller, NotifyParentWindowPositionChanged, 23),
        SLOT(ICoreWebView2Controller, Close, 24),
        SLOT(ICoreWebView2Controller, get_CoreWebView2, 25)}},
      {"ICoreWebView2Controller2",
       GuidToRegistryText(IID_ICoreWebView2Controller2),
       u"{C979903E-D4CA-4228-92EB-47EE3FA96EAB}",
       {SLOT(ICoreWebView2Controller2, get_DefaultBackgroundColor, 26),
        SLOT(ICoreWebView2Controller2, put_DefaultBackgroundColor, 27)}},
      {"ICoreWebView2Environment",
       GuidToRegistryText(IID_ICoreWebView2Environment),
       u"{B96D755E-0319-4E92-A296-23436F46A1FC}",
       {SLOT(ICoreWebView2Environment, CreateCoreWebView2Controller, 3),
        SLOT(ICoreWebView2Environment, CreateWebResourceResponse, 4),
        SLOT(ICoreWebView2Environment, get_BrowserVersionString, 5),
        SLOT(ICoreWebView2Environment, add_NewBrowserVersionAvailable, 6),
        SLOT(ICoreWebView2Environment, remove_NewBrowserVersionAvailable, 7)}},
      {"ICoreWebView2Environment10",
       GuidToRegistryText(IID_ICoreWebView2Environment10),
       u"{EE0EB9DF-6F12-46CE-B53F-3F47B9C928E0}",
       {SLOT(ICoreWebView2Environment10, CreateCoreWebView2ControllerOptions, 20),
        SLOT(ICoreWebView2Environment10, CreateCoreWebView2ControllerWithOptions, 21),
        SLOT(ICoreWebView2Environment10, CreateCoreWebView2CompositionControllerWithOptions, 22)}},
      {"ICoreWebView2EnvironmentOptions",
       GuidToRegistryText(IID_ICoreWebView2EnvironmentOptions),
       u"{2FDE08A8-1E9A-4766-8C05-95A9CEB9D1C5}",
       {SLOT(ICoreWebView2EnvironmentOptions, get_AdditionalBrowserArguments, 3),
        SLOT(ICoreWebView2EnvironmentOptions, put_AdditionalBrowserArguments, 4),
        SLOT(ICoreWebView2EnvironmentOptions, get_Language, 5),
        SLOT(ICoreWebView2EnvironmentOptions, put_Language, 6),
        SLOT(ICoreWebView2EnvironmentOptions, get_TargetCompatibleBrowserVersion, 7),
        SLOT(ICoreWebView2EnvironmentOptions, put_TargetCompatibleBrowserVersion, 8),
        SLOT(ICoreWebView2EnvironmentOptions, get_AllowSingleSignOnUsingOSPrimaryAccount, 9),
        SLOT(ICoreWebView2EnvironmentOptions, put_AllowSingleSignOnUsingOSPrimaryAccount, 10)}},
      {"ICoreWebView2EnvironmentOptions2",
       GuidToRegistryText(IID_ICoreWebView2EnvironmentOptions2),
       u"{FF85C98A-1BA7-4A6B-90C8-2B752C89E9E2}",
       {SLOT(ICoreWebView2EnvironmentOptions2, get_ExclusiveUserDataFolderAccess, 3),
        SLOT(ICoreWebView2EnvironmentOptions2, put_ExclusiveUserDataFolderAccess, 4)}},
      {"ICoreWebView2EnvironmentOptions8",
       GuidToRegistryText(IID_ICoreWebView2EnvironmentOptions8),
       u"{7C7ECF51-E918-5CAF-853C-E9A2BCC27775}",
       {SLOT(ICoreWebView2EnvironmentOptions8, get_ScrollBarStyle, 3),
        SLOT(ICoreWebView2EnvironmentOptions8, put_ScrollBarStyle, 4)}},
      {"ICoreWebView2WebMessageReceivedEventArgs",
       GuidToRegistryText(IID_ICoreWebView2WebMessageReceivedEventArgs),
       u"{0F99A40C-E962-4207-9E92-E3D542EFF849}",
       {SLOT(ICoreWebView2WebMessageReceivedEventArgs, get_Source, 3),
        SLOT(ICoreWebView2WebMessageReceivedEventArgs, get_WebMessageAsJson, 4),
        SLOT(ICoreWebView2WebMessageReceivedEventArgs, TryGetWebMessageAsString, 5)}},
      {"ICoreWebView2NavigationCompletedEventArgs",
       GuidToRegistryText(IID_ICoreWebView2NavigationCompletedEventArgs),
       u"{30D68B7D-20D9-4752-A9CA-EC8448FBB5C1}",
       {SLOT(ICoreWebView2NavigationCompletedEventArgs, get_IsSuccess, 3),
        SLOT(ICoreWebView2NavigationCompletedEventArgs, get_WebErrorStatus, 4),
        SLOT(ICoreWebView2NavigationCompletedEventArgs, get_NavigationId, 5)}},
      {"ICoreWebView2ExecuteScriptCompletedHandler",
       GuidToRegistryText(IID_ICoreWebView2ExecuteScriptCompletedHandler),
       u"{49511172-CC67-4BCA-9923-137112F4C4CC}",
       {SLOT(ICoreWebView2ExecuteScriptCompletedHandler, Invoke, 3)}},
      {"ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler",
       GuidToRegistryText(IID_ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler),
       u"{4E8A3389-C9D8-4BD2-B6B5-124FEE6CC14D}",
       {SLOT(ICoreWebView2CreateCoreWebView2EnvironmentCompletedHandler, Invoke, 3)}},
      {"ICoreWebView2CreateCoreWebView2ControllerCompletedHandler",
       GuidToRegistryText(IID_ICoreWebView2CreateCoreWebView2ControllerCompletedHandler),
       u"{6C4819F3-C9B7-4260-8127-C9F5BDE7F68C}",
       {SLOT(ICoreWebView2CreateCoreWebView2ControllerCompletedHandler, Invoke, 3)}},
      {"ICoreWebView2WebMessageReceivedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2WebMessageReceivedEventHandler),
       u"{57213F19-00E6-49FA-8E07-898EA01ECBD2}",
       {SLOT(ICoreWebView2WebMessageReceivedEventHandler, Invoke, 3)}},
      {"ICoreWebView2NavigationCompletedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2NavigationCompletedEventHandler),
       u"{D33A35BF-1C49-4F98-93AB-006E0533FE1C}",
       {SLOT(ICoreWebView2NavigationCompletedEventHandler, Invoke, 3)}},
      {"ICoreWebView2Settings9",
       GuidToRegistryText(IID_ICoreWebView2Settings9),
       u"{0528A73B-E92D-49F4-927A-E547DDDAA37D}",
       {SLOT(ICoreWebView2Settings9, get_IsNonClientRegionSupportEnabled, 37),
        SLOT(ICoreWebView2Settings9, put_IsNonClientRegionSupportEnabled, 38)}},
      {"ICoreWebView2Profile8",
       GuidToRegistryText(IID_ICoreWebView2Profile8),
       u"{FBF70C2F-EB1F-4383-85A0-163E92044011}",
       {SLOT(ICoreWebView2Profile8, Delete, 24), SLOT(ICoreWebView2Profile8, add_Deleted, 25),
        SLOT(ICoreWebView2Profile8, remove_Deleted, 26)}},
      {"ICoreWebView2Cookie",
       GuidToRegistryText(IID_ICoreWebView2Cookie),
       u"{AD26D6BE-1486-43E6-BF87-A2034006CA21}",
       {SLOT(ICoreWebView2Cookie, get_Name, 3), SLOT(ICoreWebView2Cookie, get_Value, 4),
        SLOT(ICoreWebView2Cookie, put_Value, 5), SLOT(ICoreWebView2Cookie, get_Domain, 6),
        SLOT(ICoreWebView2Cookie, get_Path, 7), SLOT(ICoreWebView2Cookie, get_Expires, 8),
        SLOT(ICoreWebView2Cookie, put_Expires, 9), SLOT(ICoreWebView2Cookie, get_IsHttpOnly, 10),
        SLOT(ICoreWebView2Cookie, put_IsHttpOnly, 11), SLOT(ICoreWebView2Cookie, get_SameSite, 12),
        SLOT(ICoreWebView2Cookie, put_SameSite, 13), SLOT(ICoreWebView2Cookie, get_IsSecure, 14),
        SLOT(ICoreWebView2Cookie, put_IsSecure, 15), SLOT(ICoreWebView2Cookie, get_IsSession, 16)}},
      // Frames and downloads: our own declarations and ids, after the interfaces' documented meaning.
      {"ICoreWebView2FrameCreatedEventArgs",
       GuidToRegistryText(IID_ICoreWebView2FrameCreatedEventArgs),
       u"{52DB9046-D8CF-5096-A43A-3068462E41E5}",
       {SLOT(ICoreWebView2FrameCreatedEventArgs, get_Frame, 3)}},
      {"ICoreWebView2Frame",
       GuidToRegistryText(IID_ICoreWebView2Frame),
       u"{EC65755C-67C3-52F9-A5C7-BFB32651A5C1}",
       {SLOT(ICoreWebView2Frame, get_Name, 3), SLOT(ICoreWebView2Frame, add_NameChanged, 4),
        SLOT(ICoreWebView2Frame, remove_NameChanged, 5),
        SLOT(ICoreWebView2Frame, AddHostObjectToScriptWithOrigins, 6),
        SLOT(ICoreWebView2Frame, RemoveHostObjectFromScript, 7), SLOT(ICoreWebView2Frame, add_Destroyed, 8),
        SLOT(ICoreWebView2Frame, remove_Destroyed, 9), SLOT(ICoreWebView2Frame, IsDestroyed, 10)}},
      {"ICoreWebView2Frame6",
       GuidToRegistryText(IID_ICoreWebView2Frame6),
       u"{A1C58D4D-9699-5F92-8C23-7C7A0B151645}",
       {SLOT(ICoreWebView2Frame6, add_NavigationStarting, 11), SLOT(ICoreWebView2Frame6, ExecuteScript, 19),
        SLOT(ICoreWebView2Frame6, PostWebMessageAsJson, 20),
        SLOT(ICoreWebView2Frame6, add_WebMessageReceived, 22),
        SLOT(ICoreWebView2Frame6, add_PermissionRequested, 24),
        SLOT(ICoreWebView2Frame6, PostSharedBufferToScript, 26), SLOT(ICoreWebView2Frame6, get_FrameId, 27),
        SLOT(ICoreWebView2Frame6, add_ScreenCaptureStarting, 28),
        SLOT(ICoreWebView2Frame6, remove_ScreenCaptureStarting, 29)}},
      {"ICoreWebView2DownloadStartingEventArgs",
       GuidToRegistryText(IID_ICoreWebView2DownloadStartingEventArgs),
       u"{9C74CB8F-B3D6-549F-B3BA-27D21D122BCB}",
       {SLOT(ICoreWebView2DownloadStartingEventArgs, get_DownloadOperation, 3),
        SLOT(ICoreWebView2DownloadStartingEventArgs, put_Cancel, 5),
        SLOT(ICoreWebView2DownloadStartingEventArgs, put_ResultFilePath, 7),
        SLOT(ICoreWebView2DownloadStartingEventArgs, GetDeferral, 10)}},
      {"ICoreWebView2DownloadOperation",
       GuidToRegistryText(IID_ICoreWebView2DownloadOperation),
       u"{07690F8F-CB57-5A0A-820E-B04457D369E1}",
       {SLOT(ICoreWebView2DownloadOperation, add_BytesReceivedChanged, 3),
        SLOT(ICoreWebView2DownloadOperation, remove_StateChanged, 8),
        SLOT(ICoreWebView2DownloadOperation, get_Uri, 9),
        SLOT(ICoreWebView2DownloadOperation, get_BytesReceived, 13),
        SLOT(ICoreWebView2DownloadOperation, get_State, 16), SLOT(ICoreWebView2DownloadOperation, Cancel, 18),
        SLOT(ICoreWebView2DownloadOperation, get_CanResume, 21)}},
      {"ICoreWebView2StateChangedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2StateChangedEventHandler),
       u"{87055262-E8A6-570B-98D9-A767DB9EA44A}",
       {SLOT(ICoreWebView2StateChangedEventHandler, Invoke, 3)}},
      // Our own declarations (composition controller, context menu items, notifications): ids of our own.
      {"ICoreWebView2CompositionController",
       GuidToRegistryText(IID_ICoreWebView2CompositionController),
       u"{3FCAA4F8-300C-57DE-9667-E54ECAB5E270}",
       {SLOT(ICoreWebView2CompositionController, get_RootVisualTarget, 3),
        SLOT(ICoreWebView2CompositionController, SendMouseInput, 5),
        SLOT(ICoreWebView2CompositionController, SendPointerInput, 6),
        SLOT(ICoreWebView2CompositionController, get_Cursor, 7),
        SLOT(ICoreWebView2CompositionController, get_SystemCursorId, 8),
        SLOT(ICoreWebView2CompositionController, add_CursorChanged, 9),
        SLOT(ICoreWebView2CompositionController, remove_CursorChanged, 10)}},
      {"ICoreWebView2CompositionController2",
       GuidToRegistryText(IID_ICoreWebView2CompositionController2),
       u"{7CE68F49-A53E-5F12-B816-799B421931B8}",
       {SLOT(ICoreWebView2CompositionController2, get_AutomationProvider, 11)}},
      {"ICoreWebView2CompositionController3",
       GuidToRegistryText(IID_ICoreWebView2CompositionController3),
       u"{CFB6BB52-F937-5C68-B0A9-2CA76DFBA84B}",
       {SLOT(ICoreWebView2CompositionController3, DragEnter, 12),
        SLOT(ICoreWebView2CompositionController3, DragLeave, 13),
        SLOT(ICoreWebView2CompositionController3, DragOver, 14),
        SLOT(ICoreWebView2CompositionController3, Drop, 15)}},
      {"ICoreWebView2CompositionController4",
       GuidToRegistryText(IID_ICoreWebView2CompositionController4),
       u"{63301A9C-4478-5D51-8095-231A9F4EF92A}",
       {SLOT(ICoreWebView2CompositionController4, GetNonClientRegionAtPoint, 16),
        SLOT(ICoreWebView2CompositionController4, QueryNonClientRegion, 17),
        SLOT(ICoreWebView2CompositionController4, add_NonClientRegionChanged, 18),
        SLOT(ICoreWebView2CompositionController4, remove_NonClientRegionChanged, 19)}},
      {"ICoreWebView2CursorChangedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2CursorChangedEventHandler),
       u"{6F92DAD2-BC67-544C-AC00-18FA8ED9176D}",
       {SLOT(ICoreWebView2CursorChangedEventHandler, Invoke, 3)}},
      {"ICoreWebView2NonClientRegionChangedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2NonClientRegionChangedEventHandler),
       u"{F7BA488F-00E2-549C-B216-8980A16A5DC0}",
       {SLOT(ICoreWebView2NonClientRegionChangedEventHandler, Invoke, 3)}},
      {"ICoreWebView2NonClientRegionChangedEventArgs",
       GuidToRegistryText(IID_ICoreWebView2NonClientRegionChangedEventArgs),
       u"{0760911E-9671-56E0-A878-B0E83C66F97D}",
       {SLOT(ICoreWebView2NonClientRegionChangedEventArgs, get_RegionKind, 3)}},
      {"ICoreWebView2RegionRectCollectionView",
       GuidToRegistryText(IID_ICoreWebView2RegionRectCollectionView),
       u"{D4F404EC-5160-5769-BDDE-1DE0FCBC3EAA}",
       {SLOT(ICoreWebView2RegionRectCollectionView, get_Count, 3),
        SLOT(ICoreWebView2RegionRectCollectionView, GetValueAtIndex, 4)}},
      {"ICoreWebView2ContextMenuItem",
       GuidToRegistryText(IID_ICoreWebView2ContextMenuItem),
       u"{39541296-06C3-55F2-B341-F22C1F7584B8}",
       {SLOT(ICoreWebView2ContextMenuItem, get_Name, 3), SLOT(ICoreWebView2ContextMenuItem, get_Label, 4),
        SLOT(ICoreWebView2ContextMenuItem, get_CommandId, 5),
        SLOT(ICoreWebView2ContextMenuItem, get_ShortcutKeyDescription, 6),
        SLOT(ICoreWebView2ContextMenuItem, get_Icon, 7), SLOT(ICoreWebView2ContextMenuItem, get_Kind, 8),
        SLOT(ICoreWebView2ContextMenuItem, put_IsEnabled, 9),
        SLOT(ICoreWebView2ContextMenuItem, get_IsEnabled, 10),
        SLOT(ICoreWebView2ContextMenuItem, put_IsChecked, 11),
        SLOT(ICoreWebView2ContextMenuItem, get_IsChecked, 12),
        SLOT(ICoreWebView2ContextMenuItem, get_Children, 13),
        SLOT(ICoreWebView2ContextMenuItem, add_CustomItemSelected, 14),
        SLOT(ICoreWebView2ContextMenuItem, remove_CustomItemSelected, 15)}},
      {"ICoreWebView2ContextMenuItemCollection",
       GuidToRegistryText(IID_ICoreWebView2ContextMenuItemCollection),
       u"{3764EE8C-B27E-5EFC-8A15-A6465CCC52FB}",
       {SLOT(ICoreWebView2ContextMenuItemCollection, get_Count, 3),
        SLOT(ICoreWebView2ContextMenuItemCollection, InsertValueAtIndex, 6)}},
      {"ICoreWebView2CustomItemSelectedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2CustomItemSelectedEventHandler),
       u"{A89EEFAA-A5FE-54F1-AF49-0230D6AA4D28}",
       {SLOT(ICoreWebView2CustomItemSelectedEventHandler, Invoke, 3)}},
      {"ICoreWebView2NotificationReceivedEventArgs",
       GuidToRegistryText(IID_ICoreWebView2NotificationReceivedEventArgs),
       u"{3C0AB80A-E4C9-5DC4-B89A-ED45A03B86CE}",
       {SLOT(ICoreWebView2NotificationReceivedEventArgs, get_SenderOrigin, 3),
        SLOT(ICoreWebView2NotificationReceivedEventArgs, get_Notification, 4),
        SLOT(ICoreWebView2NotificationReceivedEventArgs, put_Handled, 5),
        SLOT(ICoreWebView2NotificationReceivedEventArgs, get_Handled, 6),
        SLOT(ICoreWebView2NotificationReceivedEventArgs, GetDeferral, 7)}},
      {"ICoreWebView2Notification",
       GuidToRegistryText(IID_ICoreWebView2Notification),
       u"{F7BE6A5D-7E3B-56FF-8981-E6948631D95D}",
       {SLOT(ICoreWebView2Notification, add_CloseRequested, 3),
        SLOT(ICoreWebView2Notification, remove_CloseRequested, 4),
        SLOT(ICoreWebView2Notification, ReportShown, 5), SLOT(ICoreWebView2Notification, ReportClosed, 7),
        SLOT(ICoreWebView2Notification, get_Body, 8), SLOT(ICoreWebView2Notification, get_Title, 13),
        SLOT(ICoreWebView2Notification, get_Timestamp, 19),
        SLOT(ICoreWebView2Notification, GetVibrationPattern, 20)}},
      {"ICoreWebView2NotificationCloseRequestedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2NotificationCloseRequestedEventHandler),
       u"{7AD1A985-C451-5942-8653-2B1F11CCDBCE}",
       {SLOT(ICoreWebView2NotificationCloseRequestedEventHandler, Invoke, 3)}},
      // Declared by the project with ids of its own (reached only through QueryInterface).
      {"ICoreWebView2DevToolsProtocolEventReceiver",
       GuidToRegistryText(IID_ICoreWebView2DevToolsProtocolEventReceiver),
       u"{C439B69C-1C1F-549B-A81C-39021AFDCE5A}",
       {SLOT(ICoreWebView2DevToolsProtocolEventReceiver, add_DevToolsProtocolEventReceived, 3),
        SLOT(ICoreWebView2DevToolsProtocolEventReceiver, remove_DevToolsProtocolEventReceived, 4)}},
      {"ICoreWebView2DevToolsProtocolEventReceivedEventHandler",
       GuidToRegistryText(IID_ICoreWebView2DevToolsProtocolEventReceivedEventHandler),
       u"{1E4E9AB4-E727-54C0-9A8D-62EBC306DA17}",
       {SLOT(ICoreWebView2DevToolsProtocolEventReceivedEventHandler, Invoke, 3)}},
      {"ICoreWebView2DevToolsProtocolEventReceivedEventArgs2",
       GuidToRegistryText(IID_ICoreWebView2DevToolsProtocolEventReceivedEventArgs2),
       u"{41703DA8-97FC-5D74-9C9F-7C3B977160B1}",
       {SLOT(ICoreWebView2DevToolsProtocolEventReceivedEventArgs2, get_ParameterObjectAsJson, 3),
        SLOT(ICoreWebView2DevToolsProtocolEventReceivedEventArgs2, get_SessionId, 4)}},
      {"ICoreWebView2ProcessExtendedInfoCollection",
       GuidToRegistryText(IID_ICoreWebView2ProcessExtendedInfoCollection),
       u"{E97E0DCF-C20E-5936-B7D4-BBFC1B6D90AA}",
       {SLOT(ICoreWebView2ProcessExtendedInfoCollection, get_Count, 3),
        SLOT(ICoreWebView2ProcessExtendedInfoCollection, GetValueAtIndex, 4)}},
      {"ICoreWebView2ProcessExtendedInfo",
       GuidToRegistryText(IID_ICoreWebView2ProcessExtendedInfo),
       u"{AF6D5F31-A3DC-5C08-BB56-0299280730EA}",
       {SLOT(ICoreWebView2ProcessExtendedInfo, get_ProcessInfo, 3),
        SLOT(ICoreWebView2ProcessExtendedInfo, get_AssociatedFrameInfos, 4)}},
      {"ICoreWebView2ObjectCollectionView",
       GuidToRegistryText(IID_ICoreWebView2ObjectCollectionView),
       u"{ABB935E7-2207-51C8-B9FC-E9E6E76D9EB4}",
       {SLOT(ICoreWebView2ObjectCollectionView, get_Count, 3),
        SLOT(ICoreWebView2ObjectCollectionView, GetValueAtIndex, 4)}},
  };
  return cases;
}

#undef SLOT

TEST(WebView2Layout, EveryMethodSitsInItsPublishedSlot) {
  for (const InterfaceCase& c : Cases()) {
    for (const Slot& slot : c.slots) {
      EXPECT_EQ(slot.actual, slot.expected) << c.name << "::" << slot.method;
    }
  }
}

TEST(WebView2Layout, InterfaceIdsAreThePublishedOnes) {
  for (const InterfaceCase& c : Cases()) {
    EXPECT_EQ(c.actualId, c.expectedId) << c.name;
  }
}

// Each version extends the one before it, except the environment options: each
// later options interface stands alone on IUnknown, so its methods start at slot 3
// (checked above) and the options object answers for each one separately.
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2>::Base, IUnknown>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2_2>::Base, ICoreWebView2>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2_13>::Base, ICoreWebView2_12>);
static_assert(std::is_base_of_v<ICoreWebView2, ICoreWebView2_27>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2Controller2>::Base, ICoreWebView2Controller>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2Environment10>::Base, ICoreWebView2Environment9>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2Settings9>::Base, ICoreWebView2Settings8>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2Profile8>::Base, ICoreWebView2Profile7>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2EnvironmentOptions2>::Base, IUnknown>);
static_assert(!std::is_base_of_v<ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions2>);
static_assert(!std::is_base_of_v<ICoreWebView2EnvironmentOptions, ICoreWebView2EnvironmentOptions8>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2ExecuteScriptCompletedHandler>::Base, IUnknown>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2Frame6>::Base, ICoreWebView2Frame5>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2DownloadOperation>::Base, IUnknown>);
static_assert(sizeof(INT64) == 8);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2CompositionController4>::Base,
                             ICoreWebView2CompositionController3>);
static_assert(std::is_same_v<InterfaceTraits<ICoreWebView2CompositionController>::Base, IUnknown>);

// Values passed by value keep the sizes the runtime's stack layout expects.
static_assert(sizeof(EventRegistrationToken) == 8);
static_assert(sizeof(RECT) == 16);
static_assert(sizeof(POINT) == 8);
static_assert(sizeof(COREWEBVIEW2_COLOR) == 4);
static_assert(sizeof(COREWEBVIEW2_WEB_ERROR_STATUS) == 4);
static_assert(sizeof(BOOL) == 4 && sizeof(HRESULT) == 4 && sizeof(ULONG) == 4);

// A host object's VARIANT crosses to the runtime by pointer: the runtime reads it with the published
// layout, the type first and the value at byte 8, sixteen bytes in all on x86 and twenty-four on x64.
static_assert(offsetof(VARIANT, vt) == 0);
static_assert(offsetof(VARIANT, lVal) == 8 && offsetof(VARIANT, dblVal) == 8 &&
              offsetof(VARIANT, bstrVal) == 8 && offsetof(VARIANT, pdispVal) == 8 &&
              offsetof(VARIANT, boolVal) == 8);
static_assert(sizeof(VARTYPE) == 2 && sizeof(VARIANT_BOOL) == 2 && sizeof(DISPID) == 4);
static_assert(VT_EMPTY == 0 && VT_NULL == 1 && VT_I4 == 3 && VT_R8 == 5 && VT_BSTR == 8 && VT_DISPATCH == 9 &&
              VT_BOOL == 11 && VT_UNKNOWN == 13);
static_assert(VARIANT_TRUE == -1 && VARIANT_FALSE == 0);
static_assert(offsetof(DISPPARAMS, rgvarg) == 0 && offsetof(DISPPARAMS, cArgs) == 2 * sizeof(void*) &&
              sizeof(DISPPARAMS) == 2 * sizeof(void*) + 8);
#if defined(_WIN32)
// Whole sizes of the system's own declarations, for each Windows build; the
// native build's stand-ins keep only the offsets above.
static_assert(sizeof(VARIANT) == (sizeof(void*) == 4 ? 16 : 24));
static_assert(sizeof(EXCEPINFO) == (sizeof(void*) == 4 ? 32 : 64));
static_assert(offsetof(EXCEPINFO, bstrSource) == (sizeof(void*) == 4 ? 4 : 8) &&
              offsetof(EXCEPINFO, scode) == (sizeof(void*) == 4 ? 28 : 56));
#endif

TEST(WebView2Layout, EnumValuesAreThePublishedOnes) {
  EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_CONNECTION_ABORTED, 9);
  EXPECT_EQ(COREWEBVIEW2_WEB_ERROR_STATUS_OPERATION_CANCELED, 14);
  EXPECT_EQ(COREWEBVIEW2_MOVE_FOCUS_REASON_PROGRAMMATIC, 0);
  EXPECT_EQ(COREWEBVIEW2_MOVE_FOCUS_REASON_NEXT, 1);
  EXPECT_EQ(COREWEBVIEW2_MOVE_FOCUS_REASON_PREVIOUS, 2);
  EXPECT_EQ(static_cast<std::uint32_t>(COREWEBVIEW2_WEB_RESOURCE_REQUEST_SOURCE_KINDS_ALL), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace velmoran::test
