// Small value types shared by every control: alignment, anchors, shift state, mouse buttons,
// cursors, and the event signatures that forms bind their methods to.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Geometry.h"
#include "graphics/Colors.h"

namespace tarn {

class TObject;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : uint32_t { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = uint32_t;
constexpr TAnchors kDefaultAnchors = akLeft | akTop;

enum TShiftFlag : uint32_t {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = uint32_t;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum class TCursor {
  crDefault,
  crArrow,
  crIBeam,
  crHourGlass,
  crCross,
  crHandPoint,
  crSizeAll,
  crSizeWE,
  crSizeNS,
  crNo
};

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

enum class TPosition { poDesigned, poScreenCenter, poMainFormCenter };

// Control style flags.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1,
  csCaptureMouse = 2,
  csClickEvents = 4,
  csDoubleClicks = 8,
  csOpaque = 16,  // paints every pixel: the parent is not painted under it
  csSetCaption = 32,
  csNoStdEvents = 64,
  csParentBackground = 128,
};
using TControlStyle = uint32_t;

// Control state flags.
enum TControlStateFlag : uint32_t {
  csClicked = 1,
  csLoading = 2,
  csDestroying = 4,
  csFocusing = 8,
  csAlignmentNeeded = 16,
  csCreating = 32,
  csPainting = 64,
};
using TControlState = uint32_t;

// Event signatures. Handlers are methods of the owning form bound with Bind below.
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// Binds a method of an object as an event handler: Btn_Next->OnClick = Bind(this,
// &TMyForm::Btn_NextClick).
template <class Object, class Return, class... Args>
std::function<Return(Args...)> Bind(Object* object, Return (Object::*method)(Args...)) {
  return [object, method](Args... args) -> Return {
    return (object->*method)(std::forward<Args>(args)...);
  };
}

}  // namespace tarn
