<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CameraSelectionDialogUi</name>
    <message>
        <location filename="../../view/CameraSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 1: Select cameras</source>
        <translation>ステップ 1: カメラの選択</translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Search again for connected cameras</source>
        <translation>接続されているカメラを再検索します</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refresh camera list</source>
        <translation>カメラ一覧を更新</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Not all Stavrik camera models can be updated using the Firmware Updater.</source>
        <translation>ファームウェア アップデーターで更新できない Stavrik カメラ モデルもあります。</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialogUi</name>
    <message>
        <location filename="../../view/FirmwareUpdateDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 4: Updating firmware</source>
        <translation>ステップ 4: ファームウェアの更新中</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Cameras:</source>
        <translation>カメラ:</translation>
    </message>
    <message>
        <location line="+189"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>更新中に電源を切断すると、カメラが損傷するおそれがあります。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The update process may take a while.&lt;br&gt;If you want to stop the update process before it has completed, click &lt;b&gt;Cancel&lt;/b&gt;. The update of the camera currently being updated will be completed, and then the update wizard will close.</source>
        <translation>更新には時間がかかる場合があります。&lt;br&gt;完了前に更新を中止するには &lt;b&gt;キャンセル&lt;/b&gt; をクリックしてください。現在更新中のカメラの更新が完了した後、更新ウィザードが閉じます。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin</name>
    <message>
        <location filename="../../plugin/CFirmwareUpdaterPlugin.cpp" line="+29"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="+43"/>
        <source>Name:</source>
        <translation>名前:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Id:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Model:</source>
        <translation>モデル:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Transport layer:</source>
        <translation>トランスポート レイヤー:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Firmware:</source>
        <translation>ファームウェア:</translation>
    </message>
    <message>
        <location line="+148"/>
        <source>Unavailable: cameras of another model are checked</source>
        <translation>使用不可: 別のモデルのカメラが選択されています</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Upgrade</source>
        <translation>アップグレード</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>ダウングレード</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>再インストール</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Waiting</source>
        <translation>待機中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>更新中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Complete</source>
        <translation>完了</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped</source>
        <translation>スキップ</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService</name>
    <message>
        <location filename="../../service/CFirmwareUpdaterService.cpp" line="+54"/>
        <source>DEBUG</source>
        <translation>DEBUG</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>INFO</source>
        <translation>INFO</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>WARNING</source>
        <translation>WARNING</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CRITICAL</source>
        <translation>CRITICAL</translation>
    </message>
    <message>
        <location line="+285"/>
        <location line="+26"/>
        <location line="+197"/>
        <source>Fimware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="-222"/>
        <source>&lt;p&gt;To use the Firmware Updater, you have to stop continuous image acquisition as well as any recordings.&lt;/p&gt;Do you want to stop all cameras and start using the Firmware Updater?</source>
        <translation>&lt;p&gt;ファームウェア アップデーターを使用するには、連続画像取得とすべての録画を停止する必要があります。&lt;/p&gt;すべてのカメラを停止してファームウェア アップデーターを使用しますか?</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>https://www.stavrik.example/en/sales-support/support-contact/</source>
        <translation>https://www.stavrik.example/en/sales-support/support-contact/</translation>
    </message>
    <message>
        <location line="+166"/>
        <source>Update files</source>
        <translation>更新ファイル</translation>
    </message>
    <message>
        <location line="-264"/>
        <source>camera enumeration</source>
        <translation>カメラ列挙</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>camera status</source>
        <translation>カメラステータス</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>camera stream control</source>
        <translation>カメラストリーム制御</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The Firmware Updater cannot start because a part of the viewer is not available: %1.</source>
        <translation>ビューアーの一部が利用できないため、Firmware Updater を開始できません: %1。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdatingStep</name>
    <message>
        <location filename="../../state/CFirmwareUpdatingStep.cpp" line="+79"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>ファームウェアの更新はユーザーによってキャンセルされました。</translation>
    </message>
    <message>
        <location line="+381"/>
        <source>The camera is restarting — %1%</source>
        <translation>カメラを再起動しています — %1%</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Checking the camera</source>
        <translation>カメラを確認しています</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preparing the update data</source>
        <translation>更新データを準備しています</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writing the update settings</source>
        <translation>更新設定を書き込んでいます</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Running the update</source>
        <translation>更新を実行しています</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Checking the new firmware</source>
        <translation>新しいファームウェアを確認しています</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uploading the firmware</source>
        <translation>ファームウェアをアップロードしています</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating the firmware</source>
        <translation>ファームウェアを更新しています</translation>
    </message>
    <message>
        <location line="-279"/>
        <source>The camera reports firmware version %1 after the update; expected %2.</source>
        <translation>カメラは更新後のファームウェア バージョンを %1 と報告しています。期待されるバージョンは %2 です。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CResultSummaryStep</name>
    <message>
        <location filename="../../state/CResultSummaryStep.cpp" line="+75"/>
        <source>None of the cameras to retry is connected any more: %1</source>
        <translation>再試行するカメラはどれも接続されていません: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>The file could not be read: %1</source>
        <translation>ファイルを読み取れませんでした: %1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>No firmware update service available.</source>
        <translation>ファームウェア更新サービスを利用できません。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>選択したファームウェア更新ファイルは、お使いのカメラ モデルに対応していません。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>These cameras are no longer connected and are left out: %1</source>
        <translation>次のカメラは接続されていないため除外されます: %1</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog</name>
    <message>
        <location filename="../../view/CCameraSelectionDialog.cpp" line="+22"/>
        <location line="+85"/>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CFirmwareUpdateDialog</name>
    <message>
        <location filename="../../view/CFirmwareUpdateDialog.cpp" line="+212"/>
        <source>Less than a minute left</source>
        <translation>残り 1 分未満</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About a minute left</source>
        <translation>残り約 1 分</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About %1 minutes left</source>
        <translation>残り約 %1 分</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About %1 hours left</source>
        <translation>残り約 %1 時間</translation>
    </message>
    <message>
        <location line="-48"/>
        <source>Canceling: the update of the camera currently being updated is being completed. The remaining updates will be skipped.</source>
        <translation>キャンセル中: 現在更新中のカメラの更新を完了しています。残りの更新はスキップされます。</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>The update of the camera currently being updated is being completed. Then the Firmware Updater closes.</source>
        <translation>現在更新中のカメラの更新を完了しています。その後、Firmware Updater は終了します。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CResultSummaryDialog</name>
    <message>
        <location filename="../../view/CResultSummaryDialog.cpp" line="+38"/>
        <location line="+210"/>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <location line="-207"/>
        <location line="+210"/>
        <source>Save report...</source>
        <translation>レポートを保存...</translation>
    </message>
    <message>
        <location line="-208"/>
        <location line="+210"/>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <location line="-145"/>
        <source>Failed updates:</source>
        <translation>失敗した更新:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Successful updates:</source>
        <translation>成功した更新:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped updates:</source>
        <translation>スキップされた更新:</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>For more information, see the &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt;. If you require assistance, contact the &lt;a href=&quot;%2&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>詳細については&lt;a href=&quot;%1&quot;&gt;ログ ファイル&lt;/a&gt;を参照してください。サポートが必要な場合は &lt;a href=&quot;%2&quot;&gt;Stavrik サポート&lt;/a&gt;にお問い合わせください。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>See &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt; for more information.</source>
        <translation>詳細については&lt;a href=&quot;%1&quot;&gt;ログ ファイル&lt;/a&gt;を参照してください。</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>An error has occurred during the update.&lt;br&gt;Error message: %1.</source>
        <translation>更新中にエラーが発生しました。&lt;br&gt;エラー メッセージ: %1。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An error has occurred during the update. The subsequent updates have been skipped.&lt;br&gt;Error message: %1.</source>
        <translation>更新中にエラーが発生しました。以降の更新はスキップされました。&lt;br&gt;エラー メッセージ: %1。</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>There is no result to save.</source>
        <translation>保存する結果がありません。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The report has been saved to %1.</source>
        <translation>レポートを %1 に保存しました。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The report could not be saved to %1: %2</source>
        <translation>レポートを %1 に保存できませんでした: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Save report</source>
        <translation>レポートの保存</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV files</source>
        <translation>CSV ファイル</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>ファームウェアの更新はユーザーによってキャンセルされました。</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>The log file %1 could not be written and is missing or incomplete.</source>
        <translation>ログファイル %1 を書き込めなかったため、ファイルが存在しないか不完全です。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>If you require assistance, contact the &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>サポートが必要な場合は、&lt;a href=&quot;%1&quot;&gt;Stavrik サポート&lt;/a&gt;にお問い合わせください。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewDetailsDelegate</name>
    <message>
        <location filename="../../view/CTreeViewDetailsDelegate.cpp" line="+20"/>
        <source>Upgrade</source>
        <translation>アップグレード</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>ダウングレード</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>再インストール</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewResultDelegate</name>
    <message>
        <location filename="../../view/CTreeViewResultDelegate.cpp" line="+17"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Skipped</source>
        <translation>スキップ</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewStatusDelegate</name>
    <message>
        <location filename="../../view/CTreeViewStatusDelegate.cpp" line="+17"/>
        <source>Waiting</source>
        <translation>待機中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>更新中</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Complete</source>
        <translation>完了</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSelectionDialog</name>
    <message>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="+29"/>
        <location line="+171"/>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <location line="-170"/>
        <location line="+172"/>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <location line="-117"/>
        <source>To update the firmware of your cameras, you need a firmware update file from &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>カメラのファームウェアを更新するには、&lt;a href=&quot;%1&quot;&gt;Stavrik サポート&lt;/a&gt;から入手したファームウェア更新ファイルが必要です。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The file could not be read: %1</source>
        <translation>ファイルを読み取れませんでした: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This file is for: %1.</source>
        <translation>このファイルの対象: %1。</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>No file selected</source>
        <translation>ファイルが選択されていません</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>No details available</source>
        <translation>詳細情報はありません</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware Release Notes</source>
        <translation>ファームウェア リリース ノート</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSummaryDialog</name>
    <message>
        <location filename="../../view/CUpdateSummaryDialog.cpp" line="+30"/>
        <location line="+149"/>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+150"/>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="-152"/>
        <location filename="../../view/TreeDelegatePainting.cpp" line="+64"/>
        <source>Cameras</source>
        <translation>カメラ</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current Firmware</source>
        <translation>現在のファームウェア</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Firmware Selected</source>
        <translation>選択したファームウェア</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>Details</source>
        <translation>詳細</translation>
    </message>
</context>
<context>
    <name>ResultSummaryDialogUi</name>
    <message>
        <location filename="../../view/ResultSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 5: Result summary</source>
        <translation>ステップ 5: 結果の概要</translation>
    </message>
    <message>
        <location line="+340"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to repeat the update process.</source>
        <translation>更新をもう一度行うには &lt;b&gt;次へ&lt;/b&gt; をクリックしてください。</translation>
    </message>
</context>
<context>
    <name>UpdateSelectionDialogUi</name>
    <message>
        <location filename="../../view/UpdateSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 2: Select update file</source>
        <translation>ステップ 2: 更新ファイルの選択</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware update file</source>
        <translation>ファームウェア更新ファイル</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Update details</source>
        <translation>更新の詳細</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Description:</source>
        <translation>説明:</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Version:</source>
        <translation>バージョン:</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Release Notes:</source>
        <translation>リリース ノート:</translation>
    </message>
    <message>
        <location line="+97"/>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="-57"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>選択したファームウェア更新ファイルは、お使いのカメラ モデルに対応していません。</translation>
    </message>
</context>
<context>
    <name>UpdateSummaryDialogUi</name>
    <message>
        <location filename="../../view/UpdateSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>ファームウェア アップデーター</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 3: Update Summary</source>
        <translation>ステップ 3: 更新の概要</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Be aware that with the currently selected firmware versions some cameras will be downgraded.</source>
        <translation>現在選択されているファームウェア バージョンでは、一部のカメラがダウングレードされます。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The firmware versions selected for some cameras are identical with the firmware versions currently installed on the cameras. By clicking &lt;b&gt;Next&lt;/b&gt; you will reinstall the same firmware version.</source>
        <translation>一部のカメラで選択したファームウェア バージョンは、カメラに現在インストールされているバージョンと同じです。&lt;b&gt;次へ&lt;/b&gt; をクリックすると、同じファームウェア バージョンが再インストールされます。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to start the update. The update process may take a while.</source>
        <translation>更新を開始するには &lt;b&gt;次へ&lt;/b&gt; をクリックしてください。更新には時間がかかる場合があります。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>更新中に電源を切断すると、カメラが損傷するおそれがあります。</translation>
    </message>
</context>
</TS>
