#include "framework/layout/StandardClasses.h"

#include <memory>

#include "framework/Brush.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/Pen.h"
#include "framework/TFont.h"
#include "framework/Thread.h"
#include "framework/Timer.h"
#include "framework/layout/ClassRegistry.h"
#include "framework/pictures/Bitmap.h"
#include "framework/pictures/JpegImage.h"
#include "framework/pictures/Picture.h"
#include "framework/pictures/PngImage.h"

namespace tarn {
namespace {

// A control's size constraints as a nested object of layouts.
class TSizeConstraintsRef : public TPersistent {
 public:
  explicit TSizeConstraintsRef(TSizeConstraints& c) : c_(c) {}
  TSizeConstraints& Constraints() const { return c_; }
  std::string ClassName() const override { return "TSizeConstraints"; }

 private:
  TSizeConstraints& c_;
};

void RegisterTypes(TClassRegistry& r) {
  RegisterEnum<TAlign>("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                       r);
  RegisterEnum<TCursor>("TCursor",
                        {"crDefault", "crArrow", "crIBeam", "crHourGlass", "crCross", "crHandPoint",
                         "crSizeAll", "crSizeWE", "crSizeNS", "crNo"},
                        r);
  RegisterEnum<TBorderStyle>("TFormBorderStyle",
                             {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow"}, r);
  RegisterEnum<TPosition>("TPosition", {"poDesigned", "poScreenCenter", "poMainFormCenter"}, r);
  RegisterEnum<TWindowState>("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, r);
  RegisterEnum<TAlignment>("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}, r);
  RegisterEnum<TTextLayout>("TTextLayout", {"tlTop", "tlCenter", "tlBottom"}, r);
  RegisterEnum<TBevelCut>("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, r);
  RegisterEnum<PenStyle>("TPenStyle", {"psSolid", "psClear"}, r);
  RegisterEnum<BrushStyle>("TBrushStyle", {"bsSolid", "bsClear"}, r);
  RegisterEnum<TThreadPriority>(
      "TThreadPriority",
      {"tpIdle", "tpLowest", "tpLower", "tpNormal", "tpHigher", "tpHighest", "tpTimeCritical"}, r);
  RegisterSet("TAnchors",
              {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}},
              r);
  RegisterSet("TFontStyles",
              {{"fsBold", fsBold},
               {"fsItalic", fsItalic},
               {"fsUnderline", fsUnderline},
               {"fsStrikeOut", fsStrikeOut}},
              r);
}

void RegisterObjects(TClassRegistry& r) {
  RegisterClass<TPersistent>("TPersistent", r);
  RegisterClass<TFont, TPersistent>("TFont", r)
      .String("Name", &TFont::Name, &TFont::SetName)
      .NewValue("MS Sans Serif")
      .Default("MS Sans Serif")
      .Integer("Height", &TFont::Height, &TFont::SetHeight)
      .NewValue(11)
      .Integer("Size", nullptr, &TFont::SetSize)
      .Unpublished()
      .Set("Style", "TFontStyles", &TFont::Style, &TFont::SetStyle)
      .NewValue(0)
      .Default(0)
      .Color("Color", &TFont::Color, &TFont::SetColor)
      .NewValue(clWindowText)
      .Default(clWindowText);
  RegisterClass<TPen, TPersistent>("TPen", r)
      .Color("Color", &TPen::Color, &TPen::SetColor)
      .NewValue(clBlack)
      .Default(clBlack)
      .Integer("Width", &TPen::Width, &TPen::SetWidth)
      .NewValue(1)
      .Default(1)
      .Enum("Style", &TPen::Style, &TPen::SetStyle)
      .NewValue(PenStyle::Solid)
      .Default(PenStyle::Solid);
  RegisterClass<TBrush, TPersistent>("TBrush", r)
      .Color("Color", &TBrush::Color, &TBrush::SetColor)
      .NewValue(clWhite)
      .Default(clWhite)
      .Enum("Style", &TBrush::Style, &TBrush::SetStyle)
      .NewValue(BrushStyle::Solid)
      .Default(BrushStyle::Solid);
  // A picture stored with a form is its file: PNG, JPEG or BMP, told apart by content.
  RegisterClass<TPicture, TPersistent>("TPicture", r)
      .Binary("Data", &TPicture::SaveToBytes, &TPicture::LoadFromBytes);
  RegisterClass<TGraphic, TPersistent>("TGraphic", r)
      .Binary("Data", &TGraphic::SaveToBytes, &TGraphic::LoadFromBytes);
  RegisterClass<TBitmap, TGraphic>("TBitmap", r)
      .Boolean("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent)
      .NewValue(false)
      .Default(false)
      .Color("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor);
  RegisterClass<TJPEGImage, TGraphic>("TJPEGImage", r);
  RegisterClass<TPngImage, TGraphic>("TPngImage", r);
  auto constraint = [](int (TSizeConstraints::*get)() const, void (TSizeConstraints::*set)(int)) {
    return std::make_pair([get](TSizeConstraintsRef& c) { return (c.Constraints().*get)(); },
                          [set](TSizeConstraintsRef& c, int v) { (c.Constraints().*set)(v); });
  };
  auto min_w = constraint(&TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
  auto min_h = constraint(&TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
  auto max_w = constraint(&TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
  auto max_h = constraint(&TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
  RegisterClass<TSizeConstraintsRef, TPersistent>("TSizeConstraints", r)
      .Integer("MaxHeight", max_h.first, max_h.second)
      .Default(0)
      .Integer("MaxWidth", max_w.first, max_w.second)
      .Default(0)
      .Integer("MinHeight", min_h.first, min_h.second)
      .Default(0)
      .Integer("MinWidth", min_w.first, min_w.second)
      .Default(0);
}

void RegisterControls(TClassRegistry& r) {
  RegisterClass<TComponent>("TComponent", r).NoCreate();
  RegisterClass<TControl, TComponent>("TControl", r)
      .NoCreate()
      .Integer("Left", &TControl::Left, &TControl::SetLeft)
      .NewValue(0)
      .Integer("Top", &TControl::Top, &TControl::SetTop)
      .NewValue(0)
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .Integer("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
      .Unpublished()
      .Integer("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
      .Unpublished()
      .Enum("Align", &TControl::Align, &TControl::SetAlign)
      .NewValue(TAlign::alNone)
      .Default(TAlign::alNone)
      .Set("Anchors", "TAnchors", &TControl::Anchors, &TControl::SetAnchors)
      .NewValue(kDefaultAnchors)
      .Default(kDefaultAnchors)
      .ObjectProxy("Constraints",
                   [](TControl& c) {
                     TNestedObject n;
                     auto ref = std::make_shared<TSizeConstraintsRef>(c.Constraints());
                     n.Object = ref.get();
                     n.Holder = ref;
                     return n;
                   })
      .Boolean("AutoSize", &TControl::AutoSize, &TControl::SetAutoSize)
      .NewValue(false)
      .Default(false)
      .Boolean("Visible", &TControl::Visible, &TControl::SetVisible)
      .NewValue(true)
      .Default(true)
      .Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled)
      .NewValue(true)
      .Default(true)
      .Color("Color", &TControl::Color, &TControl::SetColor)
      .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .NewValue(true)
      .Default(true)
      // The font is a value of the control: the layout edits a copy, which is then set.
      .ObjectProxy("Font",
                   [](TControl& c) {
                     TNestedObject n;
                     auto font = std::make_shared<TFont>(c.GetFont());
                     n.Object = font.get();
                     n.Holder = font;
                     n.Commit = [&c, font] { c.SetFont(font->Value()); };
                     return n;
                   })
      .Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .NewValue(true)
      .Default(true)
      .String("Caption", &TControl::Caption, &TControl::SetCaption)
      .NewValue("")
      .String("Hint", &TControl::Hint, &TControl::SetHint)
      .NewValue("")
      .Default("")
      .Boolean("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .NewValue(false)
      .StoredWhen([](TControl& c) { return !c.ParentShowHint(); })
      .Boolean("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
      .NewValue(true)
      .Default(true)
      .Enum("Cursor", &TControl::Cursor, &TControl::SetCursor)
      .NewValue(TCursor::crDefault)
      .Default(TCursor::crDefault)
      .Integer("Tag", &TControl::Tag, &TControl::SetTag)
      .NewValue(0)
      .Default(0)
      .Event("OnClick", &TControl::OnClick)
      .Event("OnDblClick", &TControl::OnDblClick)
      .Event("OnMouseDown", &TControl::OnMouseDown)
      .Event("OnMouseUp", &TControl::OnMouseUp)
      .Event("OnMouseMove", &TControl::OnMouseMove)
      .Event("OnMouseEnter", &TControl::OnMouseEnter)
      .Event("OnMouseLeave", &TControl::OnMouseLeave)
      .Event("OnResize", &TControl::OnResize)
      .Event("OnCanResize", &TControl::OnCanResize)
      .Event("OnContextPopup", &TControl::OnContextPopup);
  RegisterClass<TWinControl, TControl>("TWinControl", r)
      .NoCreate()
      .Boolean("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
      .NewValue(false)
      .Default(false)
      .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .Default(-1)
      .Event("OnEnter", &TWinControl::OnEnter)
      .Event("OnExit", &TWinControl::OnExit)
      .Event("OnKeyDown", &TWinControl::OnKeyDown)
      .Event("OnKeyUp", &TWinControl::OnKeyUp)
      .Event("OnKeyPress", &TWinControl::OnKeyPress)
      .Event("OnMouseWheel", &TWinControl::OnMouseWheel);
  RegisterClass<TGraphicControl, TControl>("TGraphicControl", r).NoCreate();
  RegisterClass<TCustomControl, TWinControl>("TCustomControl", r).NoCreate();
  RegisterClass<TCustomForm, TCustomControl>("TCustomForm", r)
      .NoCreate()
      .Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
      .NewValue(TBorderStyle::bsSizeable)
      .Default(TBorderStyle::bsSizeable)
      .Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition)
      .NewValue(TPosition::poDesigned)
      .Default(TPosition::poDesigned)
      .Enum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
      .NewValue(TWindowState::wsNormal)
      .Default(TWindowState::wsNormal)
      .Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
      .NewValue(false)
      .Default(false)
      .Integer("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
      .Integer("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
      .Event("OnCreate", &TCustomForm::OnCreate)
      .Event("OnShow", &TCustomForm::OnShow)
      .Event("OnHide", &TCustomForm::OnHide)
      .Event("OnDestroy", &TCustomForm::OnDestroy)
      .Event("OnPaint", &TCustomForm::OnPaint)
      .Event("OnActivate", &TCustomForm::OnActivate)
      .Event("OnDeactivate", &TCustomForm::OnDeactivate)
      .Event("OnClose", &TCustomForm::OnClose)
      .Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
  RegisterClass<TForm, TCustomForm>("TForm", r).NoCreate();

  RegisterClass<TLabel, TGraphicControl>("TLabel", r)
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .NewValue(65)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .NewValue(17)
      .Boolean("AutoSize", &TControl::AutoSize, &TLabel::SetAutoSize)
      .NewValue(true)
      .Default(true)
      .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment)
      .NewValue(TAlignment::taLeftJustify)
      .Default(TAlignment::taLeftJustify)
      .Enum("Layout", &TLabel::Layout, &TLabel::SetLayout)
      .NewValue(TTextLayout::tlTop)
      .Default(TTextLayout::tlTop)
      .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
      .NewValue(false)
      .Default(false)
      .Boolean("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
      .NewValue(false)
      .Default(false)
      .Boolean("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
      .NewValue(true)
      .Default(true);
  RegisterClass<TCustomPanel, TCustomControl>("TCustomPanel", r)
      .NoCreate()
      .Integer("Width", &TControl::Width, &TControl::SetWidth)
      .NewValue(185)
      .Integer("Height", &TControl::Height, &TControl::SetHeight)
      .NewValue(41)
      .Color("Color", &TControl::Color, &TControl::SetColor)
      .NewValue(clBtnFace)
      .Default(clBtnFace)
      .Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .NewValue(false)
      .Default(false)
      .Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
      .NewValue(TBevelCut::bvRaised)
      .Default(TBevelCut::bvRaised)
      .Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
      .NewValue(TBevelCut::bvNone)
      .Default(TBevelCut::bvNone)
      .Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
      .Range(1, INT32_MAX)
      .NewValue(1)
      .Default(1)
      .Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth)
      .Range(0, INT32_MAX)
      .NewValue(0)
      .Default(0)
      .Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
      .NewValue(TAlignment::taCenter)
      .Default(TAlignment::taCenter);
  RegisterClass<TPanel, TCustomPanel>("TPanel", r);

  RegisterClass<TTimer, TComponent>("TTimer", r)
      .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
      .NewValue(true)
      .Default(true)
      .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval)
      .NewValue(1000)
      .Default(1000)
      .Event("OnTimer", &TTimer::OnTimer);
}

}  // namespace

void RegisterStandardClasses(TClassRegistry& registry) {
  RegisterTypes(registry);
  RegisterObjects(registry);
  RegisterControls(registry);
}

}  // namespace tarn
