<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CameraSelectionDialogUi</name>
    <message>
        <location filename="../../view/CameraSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 1: Select cameras</source>
        <translation>步骤 1：选择相机</translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Search again for connected cameras</source>
        <translation>重新搜索已连接的相机</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refresh camera list</source>
        <translation>刷新相机列表</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Not all Stavrik camera models can be updated using the Firmware Updater.</source>
        <translation>并非所有 Stavrik 相机型号都能使用固件更新程序进行更新。</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialogUi</name>
    <message>
        <location filename="../../view/FirmwareUpdateDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 4: Updating firmware</source>
        <translation>步骤 4：正在更新固件</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Cameras:</source>
        <translation>相机：</translation>
    </message>
    <message>
        <location line="+189"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>请注意，在更新过程中断开电源可能会损坏相机。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The update process may take a while.&lt;br&gt;If you want to stop the update process before it has completed, click &lt;b&gt;Cancel&lt;/b&gt;. The update of the camera currently being updated will be completed, and then the update wizard will close.</source>
        <translation>更新过程可能需要一段时间。&lt;br&gt;如果要在完成之前停止更新，请单击&lt;b&gt;取消&lt;/b&gt;。当前正在更新的相机将完成更新，然后更新向导将关闭。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin</name>
    <message>
        <location filename="../../plugin/CFirmwareUpdaterPlugin.cpp" line="+29"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="+43"/>
        <source>Name:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Id:</source>
        <translation>ID：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Model:</source>
        <translation>型号：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Transport layer:</source>
        <translation>传输层：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Firmware:</source>
        <translation>固件：</translation>
    </message>
    <message>
        <location line="+148"/>
        <source>Unavailable: cameras of another model are checked</source>
        <translation>不可用：已选中其他型号的相机</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>降级</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>重新安装</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Waiting</source>
        <translation>等待中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>正在更新</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Complete</source>
        <translation>已完成</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>成功</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped</source>
        <translation>已跳过</translation>
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
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="-222"/>
        <source>&lt;p&gt;To use the Firmware Updater, you have to stop continuous image acquisition as well as any recordings.&lt;/p&gt;Do you want to stop all cameras and start using the Firmware Updater?</source>
        <translation>&lt;p&gt;要使用固件更新程序，必须停止连续图像采集以及所有录制。&lt;/p&gt;是否停止所有相机并开始使用固件更新程序？</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>https://www.stavrik.example/en/sales-support/support-contact/</source>
        <translation>https://www.stavrik.example/en/sales-support/support-contact/</translation>
    </message>
    <message>
        <location line="+166"/>
        <source>Update files</source>
        <translation>更新文件</translation>
    </message>
    <message>
        <location line="-264"/>
        <source>camera enumeration</source>
        <translation>相机枚举</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>camera status</source>
        <translation>相机状态</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>camera stream control</source>
        <translation>相机流控制</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The Firmware Updater cannot start because a part of the viewer is not available: %1.</source>
        <translation>由于查看器的部分功能不可用，Firmware Updater 无法启动：%1。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdatingStep</name>
    <message>
        <location filename="../../state/CFirmwareUpdatingStep.cpp" line="+79"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>用户已取消固件更新。</translation>
    </message>
    <message>
        <location line="+381"/>
        <source>The camera is restarting — %1%</source>
        <translation>相机正在重新启动 — %1%</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Checking the camera</source>
        <translation>正在检查相机</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preparing the update data</source>
        <translation>正在准备更新数据</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writing the update settings</source>
        <translation>正在写入更新设置</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Running the update</source>
        <translation>正在执行更新</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Checking the new firmware</source>
        <translation>正在检查新固件</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uploading the firmware</source>
        <translation>正在上传固件</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating the firmware</source>
        <translation>正在更新固件</translation>
    </message>
    <message>
        <location line="-279"/>
        <source>The camera reports firmware version %1 after the update; expected %2.</source>
        <translation>更新后相机报告的固件版本为 %1；应为 %2。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CResultSummaryStep</name>
    <message>
        <location filename="../../state/CResultSummaryStep.cpp" line="+75"/>
        <source>None of the cameras to retry is connected any more: %1</source>
        <translation>要重试的相机均已断开连接：%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>The file could not be read: %1</source>
        <translation>无法读取文件：%1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>No firmware update service available.</source>
        <translation>没有可用的固件更新服务。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>所选固件更新文件与您的相机型号不兼容。</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>These cameras are no longer connected and are left out: %1</source>
        <translation>以下相机已断开连接，将被排除：%1</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog</name>
    <message>
        <location filename="../../view/CCameraSelectionDialog.cpp" line="+22"/>
        <location line="+85"/>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CFirmwareUpdateDialog</name>
    <message>
        <location filename="../../view/CFirmwareUpdateDialog.cpp" line="+212"/>
        <source>Less than a minute left</source>
        <translation>剩余不到 1 分钟</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About a minute left</source>
        <translation>剩余约 1 分钟</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About %1 minutes left</source>
        <translation>剩余约 %1 分钟</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About %1 hours left</source>
        <translation>剩余约 %1 小时</translation>
    </message>
    <message>
        <location line="-48"/>
        <source>Canceling: the update of the camera currently being updated is being completed. The remaining updates will be skipped.</source>
        <translation>正在取消：正在完成当前相机的更新。其余更新将被跳过。</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>The update of the camera currently being updated is being completed. Then the Firmware Updater closes.</source>
        <translation>正在完成当前相机的更新。之后 Firmware Updater 将关闭。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CResultSummaryDialog</name>
    <message>
        <location filename="../../view/CResultSummaryDialog.cpp" line="+38"/>
        <location line="+210"/>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <location line="-207"/>
        <location line="+210"/>
        <source>Save report...</source>
        <translation>保存报告...</translation>
    </message>
    <message>
        <location line="-208"/>
        <location line="+210"/>
        <source>Retry</source>
        <translation>重试</translation>
    </message>
    <message>
        <location line="-145"/>
        <source>Failed updates:</source>
        <translation>失败的更新：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Successful updates:</source>
        <translation>成功的更新：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped updates:</source>
        <translation>跳过的更新：</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>For more information, see the &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt;. If you require assistance, contact the &lt;a href=&quot;%2&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>有关详细信息，请参阅&lt;a href=&quot;%1&quot;&gt;日志文件&lt;/a&gt;。如需帮助，请联系 &lt;a href=&quot;%2&quot;&gt;Stavrik 支持部门&lt;/a&gt;。</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>See &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt; for more information.</source>
        <translation>有关详细信息，请参阅&lt;a href=&quot;%1&quot;&gt;日志文件&lt;/a&gt;。</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>An error has occurred during the update.&lt;br&gt;Error message: %1.</source>
        <translation>更新过程中出错。&lt;br&gt;错误消息：%1。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An error has occurred during the update. The subsequent updates have been skipped.&lt;br&gt;Error message: %1.</source>
        <translation>更新过程中出错。后续更新已跳过。&lt;br&gt;错误消息：%1。</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>There is no result to save.</source>
        <translation>没有可保存的结果。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The report has been saved to %1.</source>
        <translation>报告已保存到 %1。</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The report could not be saved to %1: %2</source>
        <translation>无法将报告保存到 %1：%2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Save report</source>
        <translation>保存报告</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV files</source>
        <translation>CSV 文件</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>用户已取消固件更新。</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>The log file %1 could not be written and is missing or incomplete.</source>
        <translation>无法写入日志文件 %1，该文件缺失或不完整。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>If you require assistance, contact the &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>如需帮助，请联系 &lt;a href=&quot;%1&quot;&gt;Stavrik 支持&lt;/a&gt;。</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewDetailsDelegate</name>
    <message>
        <location filename="../../view/CTreeViewDetailsDelegate.cpp" line="+20"/>
        <source>Upgrade</source>
        <translation>升级</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>降级</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>重新安装</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewResultDelegate</name>
    <message>
        <location filename="../../view/CTreeViewResultDelegate.cpp" line="+17"/>
        <source>OK</source>
        <translation>成功</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Skipped</source>
        <translation>已跳过</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewStatusDelegate</name>
    <message>
        <location filename="../../view/CTreeViewStatusDelegate.cpp" line="+17"/>
        <source>Waiting</source>
        <translation>等待中</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>正在更新</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Complete</source>
        <translation>已完成</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSelectionDialog</name>
    <message>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="+29"/>
        <location line="+171"/>
        <source>Back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <location line="-170"/>
        <location line="+172"/>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <location line="-117"/>
        <source>To update the firmware of your cameras, you need a firmware update file from &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>要更新相机固件，您需要从 &lt;a href=&quot;%1&quot;&gt;Stavrik 支持部门&lt;/a&gt;获取固件更新文件。</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The file could not be read: %1</source>
        <translation>无法读取文件：%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This file is for: %1.</source>
        <translation>此文件适用于：%1。</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>No file selected</source>
        <translation>未选择文件</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>No details available</source>
        <translation>无可用详细信息</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware Release Notes</source>
        <translation>固件发行说明</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSummaryDialog</name>
    <message>
        <location filename="../../view/CUpdateSummaryDialog.cpp" line="+30"/>
        <location line="+149"/>
        <source>Back</source>
        <translation>上一步</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+150"/>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="-152"/>
        <location filename="../../view/TreeDelegatePainting.cpp" line="+64"/>
        <source>Cameras</source>
        <translation>相机</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current Firmware</source>
        <translation>当前固件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Firmware Selected</source>
        <translation>所选固件</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>Details</source>
        <translation>详细信息</translation>
    </message>
</context>
<context>
    <name>ResultSummaryDialogUi</name>
    <message>
        <location filename="../../view/ResultSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 5: Result summary</source>
        <translation>步骤 5：结果摘要</translation>
    </message>
    <message>
        <location line="+340"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to repeat the update process.</source>
        <translation>单击&lt;b&gt;下一步&lt;/b&gt;可重复更新过程。</translation>
    </message>
</context>
<context>
    <name>UpdateSelectionDialogUi</name>
    <message>
        <location filename="../../view/UpdateSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 2: Select update file</source>
        <translation>步骤 2：选择更新文件</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware update file</source>
        <translation>固件更新文件</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Browse</source>
        <translation>浏览</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Update details</source>
        <translation>更新详细信息</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Description:</source>
        <translation>描述：</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Version:</source>
        <translation>版本：</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Release Notes:</source>
        <translation>发行说明：</translation>
    </message>
    <message>
        <location line="+97"/>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="-57"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>所选固件更新文件与您的相机型号不兼容。</translation>
    </message>
</context>
<context>
    <name>UpdateSummaryDialogUi</name>
    <message>
        <location filename="../../view/UpdateSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>固件更新程序</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 3: Update Summary</source>
        <translation>步骤 3：更新摘要</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Be aware that with the currently selected firmware versions some cameras will be downgraded.</source>
        <translation>请注意，使用当前所选的固件版本，部分相机将被降级。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The firmware versions selected for some cameras are identical with the firmware versions currently installed on the cameras. By clicking &lt;b&gt;Next&lt;/b&gt; you will reinstall the same firmware version.</source>
        <translation>为部分相机所选的固件版本与相机当前安装的版本相同。单击&lt;b&gt;下一步&lt;/b&gt;将重新安装相同的固件版本。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to start the update. The update process may take a while.</source>
        <translation>单击&lt;b&gt;下一步&lt;/b&gt;开始更新。更新过程可能需要一段时间。</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>请注意，在更新过程中断开电源可能会损坏相机。</translation>
    </message>
</context>
</TS>
