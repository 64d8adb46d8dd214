#pragma once

#include <string_view>

namespace vk {

// The two texts a help handler shows: the first line (a CR in it starts a
// second line of its own) and the second line, " " or empty when blank.
struct HelpEntry {
    std::string_view first;
    std::string_view second;
};

// Laid out by hand: each entry's second line under its first, as the window shows them.
// clang-format off
inline constexpr HelpEntry kHelpEncoderResolution{"エンコーダ分解能の設定又は、\rマグネットの長さをｍｍ単位で設定",
    " "};
inline constexpr HelpEntry kHelpInterpolator{"外部インターポーレータによる逓倍値の設定",
    " "};
inline constexpr HelpEntry kHelpPolesOrPitch{"回転型の場合はポール数を\rリニアの場合は磁極長を入力",
    " "};
inline constexpr HelpEntry kHelpEncoderMultiplication{"エンコーダの逓倍設定",
    " "};
inline constexpr HelpEntry kHelpPoleSensing{"ポールセンス方式の選択",
    " "};
inline constexpr HelpEntry kHelpSensorLogic{"ポールセンサの論理の設定",
    " "};
inline constexpr HelpEntry kHelpEncoderPhase{"エンコーダ位相の設定",
    " "};
inline constexpr HelpEntry kHelpLinearEncoderType{"リニアエンコーダのタイプ選択",
    " "};
inline constexpr HelpEntry kHelpMotorType{"モータタイプの選択",
    " "};
inline constexpr HelpEntry kHelpCommandMultiplication{"指令逓倍の選択",
    " "};
inline constexpr HelpEntry kHelpCommandPulseFormat{"指令パルスの方式を選択",
    " "};
inline constexpr HelpEntry kHelpCommutationOffset{"転流のオフセット(ポールセンサU相立下りｴｯｼﾞ位置を電気角で入力)",
    " "};
inline constexpr HelpEntry kHelpPulseFrequency{"CPUの出力する内部パルス周波数の設定(100Hz単位)",
    " "};
inline constexpr HelpEntry kHelpGainSwitchSpeed{"低速、高速ゲイン切り替えの速度をKHｚ単位で設定",
    "設定値が０の時は、低速ゲインに固定される"};
inline constexpr HelpEntry kHelpGainSwitchBand{"高速→低速ゲイン切り替えの速度設定を、低速→高速ゲイン切り替え速度",
    "からの速度差(KHｚ単位)で指定します。"};
inline constexpr HelpEntry kHelpSoftStartGain{"ソフトスタートゲインの設定",
    "設定値大で急加速"};
inline constexpr HelpEntry kHelpFullCount{"フルカウントエラーを発生する、位置偏差量の設定",
    ""};
inline constexpr HelpEntry kHelpFullCountTime{"フルカウント状態が設定値(msec単位)以上連続した場合にアラームとなる。",
    ""};
inline constexpr HelpEntry kHelpAcceleration{"ソフトスタート時の加速度をしていします。",
    "加速度は設定値/256 ×1000（パルス/ SEC2）となります"};
inline constexpr HelpEntry kHelpCheckSpeed{"直流励磁にてモータ停止後の転流位相確認速度",
    "Kpps単位で設定します。"};
inline constexpr HelpEntry kHelpServoLamp{"サーボON/OFF表示",
    ""};
inline constexpr HelpEntry kHelpAlarmLamp{"赤色点滅でアラーム状態",
    ""};
// clang-format on

}  // namespace vk
