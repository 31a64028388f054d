<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>CameraSelectionDialogUi</name>
    <message>
        <location filename="../../view/CameraSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 1: Select cameras</source>
        <translation>1단계: 카메라 선택</translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Search again for connected cameras</source>
        <translation>연결된 카메라를 다시 검색합니다</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Refresh camera list</source>
        <translation>카메라 목록 새로 고침</translation>
    </message>
    <message>
        <location line="+125"/>
        <source>Not all Stavrik camera models can be updated using the Firmware Updater.</source>
        <translation>일부 Stavrik 카메라 모델은 펌웨어 업데이터로 업데이트할 수 없습니다.</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdateDialogUi</name>
    <message>
        <location filename="../../view/FirmwareUpdateDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 4: Updating firmware</source>
        <translation>4단계: 펌웨어 업데이트 중</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Cameras:</source>
        <translation>카메라:</translation>
    </message>
    <message>
        <location line="+189"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>업데이트 중에 전원을 분리하면 카메라가 손상될 수 있습니다.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The update process may take a while.&lt;br&gt;If you want to stop the update process before it has completed, click &lt;b&gt;Cancel&lt;/b&gt;. The update of the camera currently being updated will be completed, and then the update wizard will close.</source>
        <translation>업데이트에는 시간이 걸릴 수 있습니다.&lt;br&gt;완료되기 전에 업데이트를 중지하려면 &lt;b&gt;취소&lt;/b&gt;를 클릭하십시오. 현재 업데이트 중인 카메라의 업데이트가 완료된 후 업데이트 마법사가 닫힙니다.</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin</name>
    <message>
        <location filename="../../plugin/CFirmwareUpdaterPlugin.cpp" line="+29"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="+43"/>
        <source>Name:</source>
        <translation>이름:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Id:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Model:</source>
        <translation>모델:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Transport layer:</source>
        <translation>전송 계층:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Firmware:</source>
        <translation>펌웨어:</translation>
    </message>
    <message>
        <location line="+148"/>
        <source>Unavailable: cameras of another model are checked</source>
        <translation>사용할 수 없음: 다른 모델의 카메라가 선택되어 있습니다</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Upgrade</source>
        <translation>업그레이드</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>다운그레이드</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>재설치</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>알 수 없음</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Waiting</source>
        <translation>대기 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>업데이트 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Complete</source>
        <translation>완료</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>OK</source>
        <translation>성공</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>실패</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped</source>
        <translation>건너뜀</translation>
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
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="-222"/>
        <source>&lt;p&gt;To use the Firmware Updater, you have to stop continuous image acquisition as well as any recordings.&lt;/p&gt;Do you want to stop all cameras and start using the Firmware Updater?</source>
        <translation>&lt;p&gt;펌웨어 업데이터를 사용하려면 연속 이미지 수집과 모든 녹화를 중지해야 합니다.&lt;/p&gt;모든 카메라를 중지하고 펌웨어 업데이터를 시작하시겠습니까?</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>https://www.stavrik.example/en/sales-support/support-contact/</source>
        <translation>https://www.stavrik.example/en/sales-support/support-contact/</translation>
    </message>
    <message>
        <location line="+166"/>
        <source>Update files</source>
        <translation>업데이트 파일</translation>
    </message>
    <message>
        <location line="-264"/>
        <source>camera enumeration</source>
        <translation>카메라 열거</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>camera status</source>
        <translation>카메라 상태</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>camera stream control</source>
        <translation>카메라 스트림 제어</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>The Firmware Updater cannot start because a part of the viewer is not available: %1.</source>
        <translation>뷰어의 일부를 사용할 수 없어 Firmware Updater를 시작할 수 없습니다: %1.</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdatingStep</name>
    <message>
        <location filename="../../state/CFirmwareUpdatingStep.cpp" line="+79"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>사용자가 펌웨어 업데이트를 취소했습니다.</translation>
    </message>
    <message>
        <location line="+381"/>
        <source>The camera is restarting — %1%</source>
        <translation>카메라를 다시 시작하는 중 — %1%</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Checking the camera</source>
        <translation>카메라 확인 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Preparing the update data</source>
        <translation>업데이트 데이터 준비 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Writing the update settings</source>
        <translation>업데이트 설정 쓰는 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Running the update</source>
        <translation>업데이트 실행 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Checking the new firmware</source>
        <translation>새 펌웨어 확인 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Uploading the firmware</source>
        <translation>펌웨어 업로드 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating the firmware</source>
        <translation>펌웨어 업데이트 중</translation>
    </message>
    <message>
        <location line="-279"/>
        <source>The camera reports firmware version %1 after the update; expected %2.</source>
        <translation>카메라가 업데이트 후 펌웨어 버전을 %1(으)로 보고합니다. 예상 버전은 %2입니다.</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::State::CResultSummaryStep</name>
    <message>
        <location filename="../../state/CResultSummaryStep.cpp" line="+75"/>
        <source>None of the cameras to retry is connected any more: %1</source>
        <translation>다시 시도할 카메라가 더 이상 연결되어 있지 않습니다: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>The file could not be read: %1</source>
        <translation>파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>No firmware update service available.</source>
        <translation>펌웨어 업데이트 서비스를 사용할 수 없습니다.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>선택한 펌웨어 업데이트 파일은 사용 중인 카메라 모델과 호환되지 않습니다.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>These cameras are no longer connected and are left out: %1</source>
        <translation>다음 카메라는 더 이상 연결되어 있지 않아 제외됩니다: %1</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog</name>
    <message>
        <location filename="../../view/CCameraSelectionDialog.cpp" line="+22"/>
        <location line="+85"/>
        <source>Next</source>
        <translation>다음</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CFirmwareUpdateDialog</name>
    <message>
        <location filename="../../view/CFirmwareUpdateDialog.cpp" line="+212"/>
        <source>Less than a minute left</source>
        <translation>1분 미만 남음</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>About a minute left</source>
        <translation>약 1분 남음</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>About %1 minutes left</source>
        <translation>약 %1분 남음</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>About %1 hours left</source>
        <translation>약 %1시간 남음</translation>
    </message>
    <message>
        <location line="-48"/>
        <source>Canceling: the update of the camera currently being updated is being completed. The remaining updates will be skipped.</source>
        <translation>취소 중: 현재 업데이트 중인 카메라의 업데이트를 완료하는 중입니다. 나머지 업데이트는 건너뜁니다.</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>The update of the camera currently being updated is being completed. Then the Firmware Updater closes.</source>
        <translation>현재 업데이트 중인 카메라의 업데이트를 완료하는 중입니다. 그런 다음 Firmware Updater가 닫힙니다.</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CResultSummaryDialog</name>
    <message>
        <location filename="../../view/CResultSummaryDialog.cpp" line="+38"/>
        <location line="+210"/>
        <source>Next</source>
        <translation>다음</translation>
    </message>
    <message>
        <location line="-207"/>
        <location line="+210"/>
        <source>Save report...</source>
        <translation>보고서 저장...</translation>
    </message>
    <message>
        <location line="-208"/>
        <location line="+210"/>
        <source>Retry</source>
        <translation>다시 시도</translation>
    </message>
    <message>
        <location line="-145"/>
        <source>Failed updates:</source>
        <translation>실패한 업데이트:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Successful updates:</source>
        <translation>성공한 업데이트:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Skipped updates:</source>
        <translation>건너뛴 업데이트:</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>For more information, see the &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt;. If you require assistance, contact the &lt;a href=&quot;%2&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>자세한 내용은 &lt;a href=&quot;%1&quot;&gt;로그 파일&lt;/a&gt;을 참조하십시오. 도움이 필요하면 &lt;a href=&quot;%2&quot;&gt;Stavrik 지원팀&lt;/a&gt;에 문의하십시오.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>See &lt;a href=&quot;%1&quot;&gt;log file&lt;/a&gt; for more information.</source>
        <translation>자세한 내용은 &lt;a href=&quot;%1&quot;&gt;로그 파일&lt;/a&gt;을 참조하십시오.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>An error has occurred during the update.&lt;br&gt;Error message: %1.</source>
        <translation>업데이트 중에 오류가 발생했습니다.&lt;br&gt;오류 메시지: %1.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>An error has occurred during the update. The subsequent updates have been skipped.&lt;br&gt;Error message: %1.</source>
        <translation>업데이트 중에 오류가 발생했습니다. 이후 업데이트는 건너뛰었습니다.&lt;br&gt;오류 메시지: %1.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>There is no result to save.</source>
        <translation>저장할 결과가 없습니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The report has been saved to %1.</source>
        <translation>보고서를 %1에 저장했습니다.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The report could not be saved to %1: %2</source>
        <translation>보고서를 %1에 저장할 수 없습니다: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Save report</source>
        <translation>보고서 저장</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV files</source>
        <translation>CSV 파일</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Firmware updates have been canceled by the user.</source>
        <translation>사용자가 펌웨어 업데이트를 취소했습니다.</translation>
    </message>
    <message>
        <location line="-60"/>
        <source>The log file %1 could not be written and is missing or incomplete.</source>
        <translation>로그 파일 %1을(를) 쓸 수 없어 파일이 없거나 불완전합니다.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>If you require assistance, contact the &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>도움이 필요하면 &lt;a href=&quot;%1&quot;&gt;Stavrik 지원팀&lt;/a&gt;에 문의하십시오.</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewDetailsDelegate</name>
    <message>
        <location filename="../../view/CTreeViewDetailsDelegate.cpp" line="+20"/>
        <source>Upgrade</source>
        <translation>업그레이드</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Downgrade</source>
        <translation>다운그레이드</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Reinstall</source>
        <translation>재설치</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unknown</source>
        <translation>알 수 없음</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewResultDelegate</name>
    <message>
        <location filename="../../view/CTreeViewResultDelegate.cpp" line="+17"/>
        <source>OK</source>
        <translation>성공</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Failed</source>
        <translation>실패</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Skipped</source>
        <translation>건너뜀</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CTreeViewStatusDelegate</name>
    <message>
        <location filename="../../view/CTreeViewStatusDelegate.cpp" line="+17"/>
        <source>Waiting</source>
        <translation>대기 중</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Updating</source>
        <translation>업데이트 중</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Complete</source>
        <translation>완료</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSelectionDialog</name>
    <message>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="+29"/>
        <location line="+171"/>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <location line="-170"/>
        <location line="+172"/>
        <source>Next</source>
        <translation>다음</translation>
    </message>
    <message>
        <location line="-117"/>
        <source>To update the firmware of your cameras, you need a firmware update file from &lt;a href=&quot;%1&quot;&gt;Stavrik Support&lt;/a&gt;.</source>
        <translation>카메라 펌웨어를 업데이트하려면 &lt;a href=&quot;%1&quot;&gt;Stavrik 지원팀&lt;/a&gt;에서 받은 펌웨어 업데이트 파일이 필요합니다.</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>The file could not be read: %1</source>
        <translation>파일을 읽을 수 없습니다: %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>This file is for: %1.</source>
        <translation>이 파일의 대상: %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>No file selected</source>
        <translation>선택한 파일 없음</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>No details available</source>
        <translation>사용 가능한 세부 정보 없음</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware Release Notes</source>
        <translation>펌웨어 릴리스 노트</translation>
    </message>
</context>
<context>
    <name>Plugin::FirmwareUpdater::Internal::View::CUpdateSummaryDialog</name>
    <message>
        <location filename="../../view/CUpdateSummaryDialog.cpp" line="+30"/>
        <location line="+149"/>
        <source>Back</source>
        <translation>뒤로</translation>
    </message>
    <message>
        <location line="-148"/>
        <location line="+150"/>
        <source>Next</source>
        <translation>다음</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../../model/CFirmwareUpdateTreeModel.cpp" line="-152"/>
        <location filename="../../view/TreeDelegatePainting.cpp" line="+64"/>
        <source>Cameras</source>
        <translation>카메라</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Current Firmware</source>
        <translation>현재 펌웨어</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Firmware Selected</source>
        <translation>선택한 펌웨어</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <location line="+1"/>
        <source>Details</source>
        <translation>세부 정보</translation>
    </message>
</context>
<context>
    <name>ResultSummaryDialogUi</name>
    <message>
        <location filename="../../view/ResultSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 5: Result summary</source>
        <translation>5단계: 결과 요약</translation>
    </message>
    <message>
        <location line="+340"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to repeat the update process.</source>
        <translation>업데이트를 다시 하려면 &lt;b&gt;다음&lt;/b&gt;을 클릭하십시오.</translation>
    </message>
</context>
<context>
    <name>UpdateSelectionDialogUi</name>
    <message>
        <location filename="../../view/UpdateSelectionDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 2: Select update file</source>
        <translation>2단계: 업데이트 파일 선택</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Firmware update file</source>
        <translation>펌웨어 업데이트 파일</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Browse</source>
        <translation>찾아보기</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>Update details</source>
        <translation>업데이트 세부 정보</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>Description:</source>
        <translation>설명:</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Version:</source>
        <translation>버전:</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Release Notes:</source>
        <translation>릴리스 노트:</translation>
    </message>
    <message>
        <location line="+97"/>
        <location filename="../../view/CUpdateSelectionDialog.cpp" line="-57"/>
        <source>The firmware update file selected is not compatible with your camera model.</source>
        <translation>선택한 펌웨어 업데이트 파일은 사용 중인 카메라 모델과 호환되지 않습니다.</translation>
    </message>
</context>
<context>
    <name>UpdateSummaryDialogUi</name>
    <message>
        <location filename="../../view/UpdateSummaryDialog.ui" line="+90"/>
        <source>Firmware Updater</source>
        <translation>펌웨어 업데이터</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>Step 3: Update Summary</source>
        <translation>3단계: 업데이트 요약</translation>
    </message>
    <message>
        <location line="+111"/>
        <source>Be aware that with the currently selected firmware versions some cameras will be downgraded.</source>
        <translation>현재 선택한 펌웨어 버전으로는 일부 카메라가 다운그레이드됩니다.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>The firmware versions selected for some cameras are identical with the firmware versions currently installed on the cameras. By clicking &lt;b&gt;Next&lt;/b&gt; you will reinstall the same firmware version.</source>
        <translation>일부 카메라에 선택한 펌웨어 버전이 현재 카메라에 설치된 버전과 같습니다. &lt;b&gt;다음&lt;/b&gt;을 클릭하면 같은 펌웨어 버전이 다시 설치됩니다.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Click &lt;b&gt;Next&lt;/b&gt; to start the update. The update process may take a while.</source>
        <translation>업데이트를 시작하려면 &lt;b&gt;다음&lt;/b&gt;을 클릭하십시오. 업데이트에는 시간이 걸릴 수 있습니다.</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>Be aware that disconnecting the power supply during the update process may damage the camera.</source>
        <translation>업데이트 중에 전원을 분리하면 카메라가 손상될 수 있습니다.</translation>
    </message>
</context>
</TS>
