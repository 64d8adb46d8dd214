#include "console/FormLayout.h"

#include <algorithm>
#include <stdexcept>

namespace vk {
namespace {

// "ＭＳ Ｐゴシック" is a proportional Japanese Gothic face; "System" the
// platform's own face, here a Japanese Gothic of fixed pitch.
constexpr std::string_view kGothic = "IPAPGothic";
constexpr std::string_view kSystem = "IPAGothic";

using enum FontRole;

constexpr FontSpec kFonts[] = {
    // role        face     px  colour
    {Window,       kGothic, 12, clWindowText},
    {Tabs,         kGothic, 12, clBtnText},
    {VersionTeal,  kGothic, 16, clTeal},
    {VersionBlue,  kGothic, 16, clBlue},
    {Controls,     kSystem, 12, clWindowText},
    {Indicator,    kSystem, 12, clWhite},
    {PageLabel,    kSystem, 13, clWindowText},
};

using enum ControlKind;
constexpr std::string_view kForm = kFormName;
constexpr int kNone = kNoTabStop;
constexpr ControlExtras kChecked{.checked = true};

constexpr ControlSpec kControls[] = {
    // name             kind         parent             caption or default                            x    y    w    h     font         tab
    {"Label15",         Label,       kForm,             "Version ",                                  {592,   8,  55,  16}, VersionTeal, kNone},
    {"Label16",         Label,       kForm,             "1.00",                                      {648,   8,  27,  16}, VersionBlue, kNone},
    {"Button1",         Button,      kForm,             "送信",                                      {592,  48,  75,  25}, Controls,    0},
    {"Button2",         Button,      kForm,             "SAVE",                                      {592,  88,  75,  25}, Controls,    1},
    {"Button3",         Button,      kForm,             "終了",                                      {592, 128,  75,  25}, Controls,    2},
    {"ColorBtn1",       ColorButton, kForm,             "SERVO OFF",                                 {592, 176,  83,  25}, Indicator,   3,
        {.color = clNavy}},
    {"BlinkBtn1",       BlinkButton, kForm,             "ALARM",                                     {592, 208,  81,  25}, Indicator,   4,
        {.color = clNavy, .blinkColor = clRed, .blinking = true}},
    {"TabbedNotebook1", Notebook,    kForm,             "",                                          {  8,   8, 569, 369}, Tabs,        5},
    {"Mssgbox",         Label,       kForm,             ">>>>>>>>",                                  { 16, 384,  64,  18}, Controls,    kNone},
    {"Mssgbox1",        Label,       kForm,             ">>>>>>>>",                                  { 16, 408,  64,  18}, Controls,    kNone},
    {"Timer1",          Timer,       kForm,             "",                                          {},                   Inherited,   kNone},

    {"Page1",           Page,        "TabbedNotebook1", "Page1",                                     {},                   Inherited,   kNone},
    {"Bevel1",          Frame,       "Page1",           "",                                          {  8,   0, 537,  49}, Inherited,   kNone},
    {"Label1",          Label,       "Page1",           "エンコーダのパルス数",                      { 24,   8, 160,  18}, PageLabel,   kNone},
    {"Label2",          Label,       "Page1",           "リニアエンコーダの場合は分解能(ｎｍ)",      { 32,  24, 284,  18}, PageLabel,   kNone},
    {"Edit1",           Edit,        "Page1",           "2048",                                      {392,  16, 121,  26}, Controls,    0},
    {"Bevel2",          Frame,       "Page1",           "",                                          {  8,  56, 537,  41}, Inherited,   kNone},
    {"Label3",          Label,       "Page1",           "インターポーレータによる逓倍",              { 24,  64, 224,  18}, PageLabel,   kNone},
    {"Edit2",           Edit,        "Page1",           "1",                                         {392,  64, 121,  26}, Controls,    1},
    {"Bevel3",          Frame,       "Page1",           "",                                          {  8, 104, 537,  49}, Inherited,   kNone},
    {"Label4",          Label,       "Page1",           "ポール数または磁極長(ｍｍ単位)",            { 24, 120, 236,  18}, PageLabel,   kNone},
    {"Edit3",           Edit,        "Page1",           "8",                                         {392, 112, 121,  26}, Controls,    2},
    {"Bevel4",          Frame,       "Page1",           "",                                          {  8, 160, 537, 169}, Inherited,   kNone},
    {"Label5",          Label,       "Page1",           "エンコーダのモード",                        { 24, 168, 144,  18}, PageLabel,   kNone},
    {"GroupBox1",       GroupBox,    "Page1",           "逓倍",                                      { 24, 184,  89,  89}, Controls,    3},
    {"RadioButton1",    Radio,       "GroupBox1",       "×１",                                       { 16,  16,  57,  17}, Inherited,   0, kChecked},
    {"RadioButton2",    Radio,       "GroupBox1",       "×２",                                       { 16,  40,  57,  17}, Inherited,   1},
    {"RadioButton3",    Radio,       "GroupBox1",       "×４",                                       { 16,  64,  57,  17}, Inherited,   2},
    {"GroupBox2",       GroupBox,    "Page1",           "磁極センス",                                {120, 184, 137,  89}, Controls,    4},
    {"RadioButton4",    Radio,       "GroupBox2",       "ポールセンサ",                              { 16,  24, 113,  17}, Inherited,   0, kChecked},
    {"RadioButton5",    Radio,       "GroupBox2",       "直流励磁",                                  { 16,  56, 113,  17}, Inherited,   1},
    {"GroupBox3",       GroupBox,    "Page1",           "センサ論理",                                {264, 184, 113,  89}, Controls,    5},
    {"RadioButton6",    Radio,       "GroupBox3",       "正論理",                                    { 16,  24,  89,  17}, Inherited,   0, kChecked},
    {"RadioButton7",    Radio,       "GroupBox3",       "負論理",                                    { 16,  56,  81,  17}, Inherited,   1},
    {"GroupBox4",       GroupBox,    "Page1",           "エンコーダ位相",                            {384, 184, 137,  89}, Controls,    6},
    {"RadioButton8",    Radio,       "GroupBox4",       "A相先行",                                   { 16,  24,  89,  17}, Inherited,   0, kChecked},
    {"RadioButton9",    Radio,       "GroupBox4",       "B相先行",                                   { 16,  56,  81,  17}, Inherited,   1},
    {"GroupBox5",       GroupBox,    "Page1",           "リニアエンコーダタイプ",                    { 32, 272, 473,  49}, Controls,    7},
    {"RadioButton10",   Radio,       "GroupBox5",       "ハイデンハイン",                            { 72,  24, 145,  17}, Inherited,   0, kChecked},
    {"RadioButton11",   Radio,       "GroupBox5",       "レニショウ",                                {288,  24, 121,  17}, Inherited,   1},

    {"Page2",           Page,        "TabbedNotebook1", "Page2",                                     {},                   Inherited,   kNone},
    {"Bevel5",          Frame,       "Page2",           "",                                          {  8,   0, 545, 129}, Inherited,   kNone},
    {"Label7",          Label,       "Page2",           "その他の設定",                              { 16,   8,  96,  18}, PageLabel,   kNone},
    {"GroupBox6",       GroupBox,    "Page2",           "モータタイプ",                              { 24,  32, 137,  89}, Controls,    0},
    {"RadioButton12",   Radio,       "GroupBox6",       "回転型",                                    { 16,  24, 113,  17}, Inherited,   0, kChecked},
    {"RadioButton13",   Radio,       "GroupBox6",       "リニアモータ",                              { 16,  56, 113,  17}, Inherited,   1},
    {"GroupBox7",       GroupBox,    "Page2",           "指令逓倍",                                  {200,  32, 113,  89}, Controls,    1},
    {"RadioButton14",   Radio,       "GroupBox7",       "×１",                                       { 16,  24,  89,  17}, Inherited,   0, kChecked},
    {"RadioButton15",   Radio,       "GroupBox7",       "×２",                                       { 16,  56,  81,  17}, Inherited,   1},
    {"GroupBox8",       GroupBox,    "Page2",           "指令パルス形式",                            {344,  32, 137,  89}, Controls,    2},
    {"RadioButton16",   Radio,       "GroupBox8",       "CW,CCW",                                    { 16,  24,  89,  17}, Inherited,   0, kChecked},
    {"RadioButton17",   Radio,       "GroupBox8",       "PLS,DIR",                                   { 16,  56,  81,  17}, Inherited,   1},
    {"Bevel6",          Frame,       "Page2",           "",                                          {  8, 136, 545,  41}, Inherited,   kNone},
    {"Label6",          Label,       "Page2",           "転流オフセット(°)",                         { 24, 144, 140,  18}, PageLabel,   kNone},
    {"Edit4",           Edit,        "Page2",           "0",                                         {392, 144, 121,  26}, Controls,    3},
    {"Bevel7",          Frame,       "Page2",           "",                                          {  8, 184, 545,  41}, Inherited,   kNone},
    {"Label9",          Label,       "Page2",           "内部パルス周波数(１００Hz単位)",            { 16, 192, 238,  18}, PageLabel,   kNone},
    {"Edit6",           Edit,        "Page2",           "0",                                         {392, 192, 121,  26}, Controls,    4},
    {"Bevel9",          Frame,       "Page2",           "",                                          {  8, 232, 545,  41}, Inherited,   kNone},
    {"Label10",         Label,       "Page2",           "低速→高速ゲイン切り替え速度(KHｚ単位)",     { 16, 240, 304,  18}, PageLabel,   kNone},
    {"Edit7",           Edit,        "Page2",           "0",                                         {392, 240, 121,  26}, Controls,    5},
    {"Bevel8",          Frame,       "Page2",           "",                                          {  8, 280, 545,  41}, Inherited,   kNone},
    {"Label11",         Label,       "Page2",           "高速→低速ゲイン切り替えバンド幅(KHｚ単位)", { 16, 288, 336,  18}, PageLabel,   kNone},
    {"Edit8",           Edit,        "Page2",           "0",                                         {392, 288, 121,  26}, Controls,    6},

    {"Page3",           Page,        "TabbedNotebook1", "Page3",                                     {},                   Inherited,   kNone},
    {"Bevel10",         Frame,       "Page3",           "",                                          {  0,   8, 553,  41}, Inherited,   kNone},
    {"Label8",          Label,       "Page3",           "トータルゲイン",                            {  8,  24, 112,  18}, PageLabel,   kNone},
    {"ScrollBar1",      ScrollBar,   "Page3",           "",                                          {184,  24, 201,  16}, Inherited,   0},
    {"Edit5",           Edit,        "Page3",           "0",                                         {408,  16, 121,  26}, Controls,    1},
    {"Bevel11",         Frame,       "Page3",           "",                                          {  0,  56, 553,  41}, Inherited,   kNone},
    {"Label12",         Label,       "Page3",           "フルカウントの設定",                        {  8,  72, 144,  18}, PageLabel,   kNone},
    {"Edit9",           Edit,        "Page3",           "0",                                         {408,  64, 121,  26}, Controls,    2},
    {"Bevel12",         Frame,       "Page3",           "",                                          {  0, 104, 553,  41}, Inherited,   kNone},
    {"Label13",         Label,       "Page3",           "フルカウント判定時間の設定",                {  8, 112, 208,  18}, PageLabel,   kNone},
    {"Edit10",          Edit,        "Page3",           "0",                                         {408, 112, 121,  26}, Controls,    3},
    {"Bevel13",         Frame,       "Page3",           "",                                          {  0, 152, 553,  41}, Inherited,   kNone},
    {"Label14",         Label,       "Page3",           "加速度パラメータ",                          {  8, 160, 128,  18}, PageLabel,   kNone},
    {"Edit11",          Edit,        "Page3",           "0",                                         {408, 160, 121,  26}, Controls,    4},
    {"Bevel14",         Frame,       "Page3",           "",                                          {  0, 200, 553,  41}, Inherited,   kNone},
    {"Label17",         Label,       "Page3",           "直流励磁後の動作確認速度",                  {  8, 208, 192,  18}, PageLabel,   kNone},
    {"Edit12",          Edit,        "Page3",           "0",                                         {408, 208, 121,  26}, Controls,    5},
};

}  // namespace

const FontSpec& formFont(FontRole role)
{
    const auto* found = std::find_if(std::begin(kFonts), std::end(kFonts),
                                     [role](const FontSpec& font) { return font.role == role; });
    if (found == std::end(kFonts))
        throw std::out_of_range("no font for this role");
    return *found;
}

std::span<const ControlSpec> formControls()
{
    return kControls;
}

}  // namespace vk
