// Layout errors: a layout that names something the program does not know, or is not well
// formed, must fail with a message that names the line and the thing, and must leave no half
// built controls behind.
#include "tests/framework/layout/LayoutTestClasses.h"

#include "framework/Resources.h"
#include "framework/layout/LayoutError.h"
#include "framework/layout/LayoutParser.h"

namespace tarn::testing {
namespace {

class LayoutErrorTest : public FrameworkTest {
 protected:
  LayoutErrorTest() { RegisterLayoutTestClasses(); }

  // Loads `body` inside a TTestForm's layout (the body starts on line 2) and returns the error.
  std::string ErrorOf(const std::string& body) {
    auto* form = app->CreateForm<TTestForm>(TTestForm::Empty{});
    const std::string text = "object TestForm: TTestForm\n" + body + "\nend\n";
    std::string message = "(no error)";
    try {
      LoadLayout(*form, text, "test");
    } catch (const ELayoutError& e) {
      message = e.Message();
    }
    // Nothing the layout made is left.
    EXPECT_EQ(form->ComponentCount(), 0) << body;
    EXPECT_EQ(form->ControlCount(), 0) << body;
    EXPECT_EQ(form->Outer, nullptr);
    form->Free();
    return message;
  }
};

TEST_F(LayoutErrorTest, EachKindOfErrorNamesTheLineAndTheThing) {
  const std::pair<const char*, const char*> cases[] = {
      {"object A: TNoSuch\nend", "test line 2: unknown class 'TNoSuch'"},
      {"object A: TControl\nend", "test line 2: a layout cannot create a TControl"},
      {"object A: TPanel\n  Colour = clRed\nend",
       "test line 3: unknown property 'Colour' of TPanel"},
      {"object A: TPanel\n  Align = alMiddle\nend",
       "test line 3: unknown value 'alMiddle' for Align (TAlign)"},
      {"object A: TPanel\n  Anchors = [akLeft, akMiddle]\nend",
       "test line 3: unknown value 'akMiddle' in Anchors (TAnchors)"},
      {"object A: TPanel\n  Color = clPink\nend", "test line 3: unknown colour 'clPink'"},
      {"object A: TPanel\n  Visible = Maybe\nend",
       "test line 3: unknown value 'Maybe' for Visible (True or False)"},
      {"object A: TLabel\n  Caption = 12\nend", "test line 3: Caption of TLabel takes a string"},
      {"object A: TSwatch\n  Frames = 300\nend",
       "test line 3: 300 is out of range for Frames (0 to 255)"},
      {"object A: TSwatch\n  Notes = \"one\"\nend",
       "test line 3: Notes of TSwatch takes a list of strings in ( )"},
      {"object A: TPanel\n  OnClick = NoSuchClick\nend",
       "test line 3: unknown handler 'NoSuchClick': TTestForm has no such method"},
      {"object A: TSwatch\n  OnSwatchClick = PanelClick\nend",
       "test line 3: the handler 'PanelClick' does not fit OnSwatchClick"},
      {"object A: TLabel\n  Caption.Text = \"x\"\nend",
       "test line 3: 'Caption' of TLabel has no properties of its own"},
      {"object A: TLabel\n  Font = \"Arial\"\nend",
       "test line 3: Font of TLabel has properties of its own: give them in { } or as "
       "Font.Name = value"},
      {"object A: TLabel\n  Font { Weight = 3 }\nend",
       "test line 3: unknown property 'Weight' of TFont"},
      {"object A: TSwatch\n  Stamp.Data = { 00 11 22 }\nend",
       "test line 3: Data: Unknown picture format"},
      {"object A: TPanel\nend\nobject A: TPanel\nend", "test line 4: the name 'A' is used twice"},
      {"object A: TLabel\n  object B: TLabel\n  end\nend",
       "test line 3: 'A' cannot hold the control 'B'"},
      {"object A: TSwatch\n  Buddy = Nobody\nend", "test line 3: unknown component 'Nobody'"},
      {"object A: TSwatch\n  Buddy = P\nend\nobject P: TPanel\nend",
       "test line 3: 'P' cannot be the Buddy"},
      {"object Title: TPanel\nend",
       "test line 2: the field Title of TTestForm takes a TLabel, not a TPanel"},
      {"object A: TPanel\n  Caption = \"open", "test line 3: the text has no closing quote"},
      {"object A: TPanel\n  Caption = \"\\q\"\nend", "test line 3: unknown escape \\q in the text"},
      {"object A: TSwatch\n  Stamp.Data = { 0 }\nend", "test line 3: the bytes end in half a byte"},
      {"object A: TPanel\n  Left 3\nend", "test line 3: expected '=' or '{' after Left"},
      {"object A: TPanel\n  Left = 3.5\nend", "test line 3: expected a whole number"},
      {"object A: TPanel\n  Left = 99999999999999999999\nend",
       "test line 3: the number is too large"},
      {"object A: TPanel\n  object B: TPanel", "test line 5: 'end' is missing for the object A"},
  };
  for (const auto& [body, expected] : cases)
    EXPECT_EQ(ErrorOf(body), expected);
}

TEST_F(LayoutErrorTest, TheRootMustBeTheFormsOwnClass) {
  auto* form = app->CreateForm<TTestForm>(TTestForm::Empty{});
  try {
    LoadLayout(*form, "object P: TPanel\nend\n", "test");
    FAIL() << "no error";
  } catch (const ELayoutError& e) {
    EXPECT_EQ(e.Message(), "test line 1: the layout describes a TPanel, not a TTestForm");
    EXPECT_EQ(e.Line(), 1);
  }
  EXPECT_THROW(LoadLayout(*form, "", "test"), ELayoutError);
  EXPECT_THROW(LoadLayout(*form, "object F: TTestForm\nend\nextra", "test"), ELayoutError);
  // A layout that is not in the program's resources is the resource error.
  EXPECT_THROW(LoadLayoutResource(*form, "TNoSuchForm"), EResNotFound);
}

TEST(LayoutParserTest, ReadsEveryKindOfValue) {
  const TLayoutObject root = ParseLayout(R"(# comment
object Root: TThing  // another comment
  Number = -42
  Hex = $00FFFCE7
  Hex2 = 0x1F
  Text = "a\tb" + "\x41" + "塔"
  Empty = []
  Flags = [one,two]
  List = ("x", "y" "z")
  Bytes = { 00ff
            10 }
  Nested.Deeper.Name = Ident
  Block { A = 1  B { C = 2 } }
  OBJECT Child: TKid
  END
end)",
                                         "p");
  EXPECT_EQ(root.Name, "Root");
  EXPECT_EQ(root.ClassName, "TThing");
  ASSERT_EQ(root.Properties.size(), 10u);
  const auto& p = root.Properties;
  EXPECT_EQ(p[0].Value.Number, -42);
  EXPECT_EQ(p[1].Value.Number, 0x00FFFCE7);
  EXPECT_EQ(p[2].Value.Number, 0x1F);
  EXPECT_EQ(p[3].Value.Text, std::string("a\tbA\xCB\xFE"));
  EXPECT_TRUE(p[4].Value.Items.empty());
  EXPECT_EQ(p[5].Value.Items, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(p[6].Value.Items, (std::vector<std::string>{"x", "y", "z"}));
  EXPECT_EQ(p[7].Value.Bytes, (std::vector<uint8_t>{0x00, 0xFF, 0x10}));
  EXPECT_EQ(p[7].Line, 10);
  EXPECT_EQ(p[8].Path, (std::vector<std::string>{"Nested", "Deeper", "Name"}));
  EXPECT_EQ(p[8].Value.Type, TLayoutValue::Kind::Identifier);
  EXPECT_TRUE(p[9].IsBlock);
  ASSERT_EQ(p[9].Block.size(), 2u);
  EXPECT_EQ(p[9].Block[1].Block[0].Value.Number, 2);
  ASSERT_EQ(root.Children.size(), 1u);
  EXPECT_EQ(root.Children[0].Line, 14);
  // A byte-order mark before the text is no part of it.
  EXPECT_EQ(ParseLayout("\xEF\xBB\xBFobject A: TB\nend", "p").ClassName, "TB");
}

}  // namespace
}  // namespace tarn::testing
