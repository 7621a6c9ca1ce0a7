#include "slideshow/XPPicShowClasses.h"

#include "framework/layout/ClassRegistry.h"
#include "slideshow/XPPicShow.h"

namespace tarn {

void RegisterPicShowClasses(TClassRegistry& r) {
  if (r.FindByType(typeid(TXPPicShow)) != nullptr) return;
  RegisterEnum<TBackgroundMode>("TBackgroundMode",
                                {"bmNone", "bmTiled", "bmStretched", "bmCentered"}, r);
  RegisterClass<TXPPicShowAbout, TPersistent>("TXPPicShowAbout", r);
  using C = TCustomXPPicShow;
  RegisterClass<C, TCustomControl>("TCustomXPPicShow", r)
      .NoCreate()
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .NewValue(100)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .NewValue(100)
      .Color("Color", &TControl::Color, &TControl::SetColor)
      .NewValue(clWindow)
      .Default(clWindow)
      .Object("Picture", &C::Picture)
      .Object("BgPicture", &C::BgPicture)
      .Enum("BgMode", &C::BgMode, &C::SetBgMode)
      .NewValue(TBackgroundMode::bmTiled)
      .Default(TBackgroundMode::bmTiled)
      .Color("FrameColor", &C::FrameColor, &C::SetFrameColor)
      .NewValue(clActiveBorder)
      .Default(clActiveBorder)
      .Integer("FrameWidth", &C::FrameWidth, &C::SetFrameWidth)
      .Range(0, INT32_MAX)
      .NewValue(0)
      .Default(0)
      .Boolean("Center", &C::Center, &C::SetCenter)
      .NewValue(false)
      .Default(false)
      .Boolean("Stretch", &C::Stretch, &C::SetStretch)
      .NewValue(false)
      .Default(false)
      .Boolean("Proportional", &C::Proportional, &C::SetProportional)
      .NewValue(false)
      .Default(false)
      .Boolean("OverDraw", &C::OverDraw, &C::SetOverDraw)
      .NewValue(true)
      .Default(true)
      .Boolean("Threaded", &C::Threaded, &C::SetThreaded)
      .NewValue(true)
      .Default(true)
      .Enum("ThreadPriority", &C::ThreadPriority, &C::SetThreadPriority)
      .NewValue(TThreadPriority::tpNormal)
      .Default(TThreadPriority::tpNormal)
      .Boolean("Manual", &C::Manual, &C::SetManual)
      .NewValue(false)
      .Default(false)
      .Integer("Style", &C::Style, &C::SetStyle)
      .Range(0, kMaxShowStyle)
      .NewValue(51)
      .Default(51)
      // Settable by name, never stored: Style holds the same.
      .String("StyleName", &C::StyleName, &C::SetStyleName)
      .NewValue("Appear and Contract to middle")
      .StoredWhen([](C&) { return false; })
      .Integer("Step", &C::Step, &C::SetStep)
      .NewValue(4)
      .Default(4)
      .Integer("Delay", &C::Delay, &C::SetDelay)
      .NewValue(40)
      .Default(40)
      .Boolean("Reverse", &C::Reverse, &C::SetReverse)
      .NewValue(false)
      .Default(false)
      .Boolean("ExactTiming", &C::ExactTiming, &C::SetExactTiming)
      .NewValue(false)
      .Default(false)
      .Object("About", &C::About)
      // Older layouts: "StretchFine = True" meant what Proportional means now.
      .Boolean("StretchFine", nullptr, &C::SetStretchFine)
      .Unpublished()
      .Event("OnChange", &C::OnChange)
      .Event("OnProgress", &C::OnProgress)
      .Event("OnComplete", &C::OnComplete)
      .Event("OnStop", &C::OnStop)
      .Event("OnStart", &C::OnStart)
      .Event("OnCustomDraw", &C::OnCustomDraw)
      .Event("OnBeforeNewFrame", &C::OnBeforeNewFrame)
      .Event("OnAfterNewFrame", &C::OnAfterNewFrame);
  RegisterClass<TXPPicShow, TCustomXPPicShow>("TXPPicShow", r);
}

void RegisterPicShowClasses() {
  RegisterPicShowClasses(TClassRegistry::Instance());
}

}  // namespace tarn
