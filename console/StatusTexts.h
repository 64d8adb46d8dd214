#pragma once

namespace vk {

// What the window's actions and its supervision report in the first help line.
inline constexpr char kTextCommError[] = "通信エラー";
inline constexpr char kTextCannotConnect[] = "ドライバに接続できません";
inline constexpr char kTextSaveRefused[] = "サーボＯＮ中はセーブできません";
inline constexpr char kTextSaving[] = "セーブ中";
inline constexpr char kTextSaved[] = "セーブ完了";
inline constexpr char kTextSaveError[] = "ＳＡＶＥエラー";

// The servo lamp's two faces.
inline constexpr char kTextServoOn[] = "SERVO ON";
inline constexpr char kTextServoOff[] = "SERVO OFF";

}  // namespace vk
