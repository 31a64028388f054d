<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService</name>
    <message>
        <location filename="../../service/CFirmwareUpdaterService.cpp" line="+407"/>
        <source>https://www.stavrik.example/en/sales-support/support-contact/</source>
        <translation>https://www.stavrik.example/en/sales-support/support-contact/</translation>
    </message>
</context>
</TS>
