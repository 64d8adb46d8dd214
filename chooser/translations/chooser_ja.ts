<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>PortChooser</name>
    <message>
        <source>Choose Serial Port</source>
        <translation>シリアルポートの選択</translation>
    </message>
    <message>
        <source>Port of the terminal</source>
        <translation>ターミナルのポート</translation>
    </message>
    <message>
        <source>Port name:</source>
        <translation>ポート名:</translation>
    </message>
    <message>
        <source>Device now:</source>
        <translation>現在のデバイス:</translation>
    </message>
    <message>
        <source>Serial devices on this machine:</source>
        <translation>このマシンのシリアルデバイス:</translation>
    </message>
    <message>
        <source>No serial devices found: plug in the adapter, the list follows.</source>
        <translation>シリアルデバイスが見つかりません。アダプタを接続すると一覧に現れます。</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>アダプタ</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>アクセス</translation>
    </message>
    <message>
        <source>In use</source>
        <translation>使用状況</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>接続テスト</translation>
    </message>
    <message>
        <source>Start Terminal</source>
        <translation>ターミナルを起動</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Connection test</source>
        <translation>接続テスト</translation>
    </message>
</context>
<context>
    <name>vk::CompanionProgram</name>
    <message>
        <source>the doctor gave no report</source>
        <translation>診断結果が得られませんでした</translation>
    </message>
    <message>
        <source>%1 cannot be started: %2</source>
        <translation>%1 を起動できません: %2</translation>
    </message>
    <message>
        <source>%1 stopped before it ended (hung for %2 s, or crashed)</source>
        <translation>%1 が途中で止まりました (%2 秒応答なし、または異常終了)</translation>
    </message>
</context>
<context>
    <name>vk::DeviceRow</name>
    <message>
        <source>this user may open it</source>
        <translation>このユーザーで開けます</translation>
    </message>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1 (pid %2)</translation>
    </message>
    <message>
        <source>free</source>
        <translation>空き</translation>
    </message>
    <message>
        <source>in use by %1</source>
        <translation>%1 が使用中</translation>
    </message>
    <message>
        <source>no permission (group %1)</source>
        <translation>権限なし (グループ %1)</translation>
    </message>
    <message>
        <source>join the group %1 (sudo adduser $USER %1), then log in again</source>
        <translation>グループ %1 に加わり (sudo adduser $USER %1)、ログインし直してください</translation>
    </message>
</context>
<context>
    <name>vk::PortChooser</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (not there now)</source>
        <translation>%1 (現在ありません)</translation>
    </message>
    <message>
        <source>%1 (now %2)</source>
        <translation>%1 (現在は %2)</translation>
    </message>
    <message>
        <source>Save as %1</source>
        <translation>%1 として保存</translation>
    </message>
    <message>
        <source>Connection test of %1</source>
        <translation>%1 の接続テスト</translation>
    </message>
    <message>
        <source>Testing...</source>
        <translation>テスト中...</translation>
    </message>
    <message>
        <source>Verdict: %1</source>
        <translation>判定: %1</translation>
    </message>
    <message>
        <source>What to do: %1</source>
        <translation>対処: %1</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>保存中...</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>保存できませんでした: %1</translation>
    </message>
    <message>
        <source>%1 cannot be started</source>
        <translation>%1 を起動できません</translation>
    </message>
    <message>
        <source>%1, now %2</source>
        <translation>%1 (現在は %2)</translation>
    </message>
    <message>
        <source>To open it: %1</source>
        <translation>開くには: %1</translation>
    </message>
</context>
</TS>
