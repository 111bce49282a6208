<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>TBannerWindow</name>
    <message>
        <source>Kelvane V3.0  串口调试 · 实时波形</source>
        <translation>Kelvane V3.0  serial terminal</translation>
    </message>
    <message>
        <source>打开串口，收发数据，点击“绘图”即可观察设备送来的数值曲线。</source>
        <translation>Open a port, then click “Plot” to chart the values your device sends.</translation>
    </message>
    <message>
        <source>F5 在发送框末尾追加当前时间；关闭主窗口后程序在通知区继续运行。</source>
        <translation>F5 appends the time to the send box; a closed window stays in the tray.</translation>
    </message>
    <message>
        <source>F5 在发送框末尾追加当前时间；关闭主窗口即退出程序。</source>
        <translation>F5 appends the time to the send box; closing the window quits.</translation>
    </message>
</context>
<context>
    <name>TChartFileCommands</name>
    <message>
        <source>导出CSV…</source>
        <translation>Export CSV…</translation>
    </message>
    <message>
        <source>打开数据文件…</source>
        <translation>Open Data File…</translation>
    </message>
    <message>
        <source>正在导出波形数据…</source>
        <translation>Exporting the chart data…</translation>
    </message>
    <message>
        <source>导出CSV失败</source>
        <translation>Exporting the CSV failed</translation>
    </message>
    <message>
        <source>请先停止绘图，再打开数据文件</source>
        <translation>Stop plotting first, then open the data file</translation>
    </message>
    <message>
        <source>正在打开数据文件…</source>
        <translation>Opening the data file…</translation>
    </message>
    <message>
        <source>打开数据文件出错</source>
        <translation>Error opening the data file</translation>
    </message>
    <message>
        <source>波形数据</source>
        <translation>Chart data</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>打开数据文件</source>
        <translation>Open Data File</translation>
    </message>
    <message>
        <source>波形数据 (*.csv *.txt *.dat *.log);;所有文件 (*)</source>
        <translation>Chart data (*.csv *.txt *.dat *.log);;All files (*)</translation>
    </message>
</context>
<context>
    <name>TConsole</name>
    <message>
        <source>无数据可发送，请先输入要发送的数据</source>
        <translation>Nothing to send. Type the data to send first.</translation>
    </message>
    <message>
        <source>数据发送错误，请检查串口是否打开</source>
        <translation>Sending failed. Check that the port is open.</translation>
    </message>
    <message>
        <source>发送缓冲区已满：设备还没有收下之前发送的数据（可能被流控暂停），本次数据没有发送</source>
        <translation>The send buffer is full: the device has not taken the data sent before (flow control may be holding it). This data was not sent.</translation>
    </message>
    <message>
        <source> 示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>数据保存成功</source>
        <translation>Saved to the history.</translation>
    </message>
    <message>
        <source>数据保存错误</source>
        <translation>Could not save to the history.</translation>
    </message>
    <message>
        <source>打印成功</source>
        <translation>Printed.</translation>
    </message>
    <message>
        <source>打印出错，请检查打印是否存在或已装好</source>
        <translation>Printing failed. Check that a printer is installed and ready.</translation>
    </message>
    <message>
        <source>确定要删除此条信息吗？</source>
        <translation>Delete this entry?</translation>
    </message>
    <message>
        <source>接收数据</source>
        <translation>Received data</translation>
    </message>
    <message>
        <source>发送数据</source>
        <translation>Data to send</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>TDataPanelFolder</name>
    <message>
        <source>显示数据面板</source>
        <translation>Panel shown</translation>
    </message>
    <message>
        <source>关闭数据面板</source>
        <translation>Panel hidden</translation>
    </message>
    <message>
        <source>显示面板</source>
        <translation>Show panel</translation>
    </message>
</context>
<context>
    <name>TFileRecorder</name>
    <message>
        <source>文件或其所在文件夹已不存在</source>
        <translation>the file or its folder no longer exists</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>串口设置</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>串口名称：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>奇偶校验：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>空格</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>是否奇偶校验：</source>
        <translation>Check parity:</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Outx_CtsFlow：</source>
        <translation>Outx_CtsFlow:</translation>
    </message>
    <message>
        <source>Outx_DsrFlow：</source>
        <translation>Outx_DsrFlow:</translation>
    </message>
    <message>
        <source>Outx_XonXoff：</source>
        <translation>Outx_XonXoff:</translation>
    </message>
    <message>
        <source>Inx_XonXoff：</source>
        <translation>Inx_XonXoff:</translation>
    </message>
    <message>
        <source>断开后自动重连</source>
        <translation>Reopen after unplug</translation>
    </message>
    <message>
        <source>打开时不拉高 DTR</source>
        <translation>Keep DTR low on open</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>串口设置失败</source>
        <translation>Could not save the port settings.</translation>
    </message>
    <message>
        <source>串口设置成功,请重新打开串口以便生效</source>
        <translation>Port settings saved. Reopen the port for them to take effect.</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>历史数据</source>
        <translation>History</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>间隔时间</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>时间：</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>(毫秒)</source>
        <translation>(ms)</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>接收/发送数据 【悬浮窗体】</source>
        <translation>Receive/send data [pop-out window]</translation>
    </message>
    <message>
        <source>关闭悬浮窗体</source>
        <translation>Close pop-out window</translation>
    </message>
    <message>
        <source>接收数据</source>
        <translation>Received data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>16进制接收</source>
        <translation>Hex display</translation>
    </message>
    <message>
        <source>发送数据</source>
        <translation>Data to send</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>发送并保存</source>
        <translation>Send &amp;&amp; save</translation>
    </message>
    <message>
        <source>定时发送</source>
        <translation>Timed send</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>History</translation>
    </message>
    <message>
        <source>绘制16进制数据波型图</source>
        <translation>Plot the received hex values</translation>
    </message>
    <message>
        <source>绘图其他数据波型图</source>
        <translation>Plot the received decimal values</translation>
    </message>
    <message>
        <source>带帧头帧尾</source>
        <translation>Framed</translation>
    </message>
    <message>
        <source>16进制发送</source>
        <translation>Hex send</translation>
    </message>
    <message>
        <source>清空计数</source>
        <translation>Clear count</translation>
    </message>
    <message>
        <source>已发送：</source>
        <translation>Sent:</translation>
    </message>
</context>
<context>
    <name>TInfoDialog</name>
    <message>
        <source>关 闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>在线帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Kelvane 串口调试与波形显示工具

使用说明：程序目录中的 README.md

问题反馈：请在 Kelvane 项目的问题跟踪中提交</source>
        <translation>Kelvane, a serial terminal with a waveform view

How to use it: README.md in the program folder

Problems: please report them in the Kelvane project&apos;s issue tracker</translation>
    </message>
    <message>
        <source>在线升级</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>希望增加或修改哪些功能？欢迎在 Kelvane 项目的问题跟踪中告诉我们，并留下联系方式，新版本完成后会通知您。

项目主页与问题跟踪：见程序目录中的 README.md</source>
        <translation>Which functions would you like added or changed? Tell us in the Kelvane project&apos;s issue tracker and leave a way to reach you; we will let you know when a new version is ready.

Project page and issue tracker: see README.md in the program folder</translation>
    </message>
</context>
<context>
    <name>TJobProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TLineStoreView</name>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开串口</source>
        <translation>Open the port</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close the port</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>串口设置</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <source>间隔量：</source>
        <translation>Span:</translation>
    </message>
    <message>
        <source>波形间隔</source>
        <translation>Seconds the chart shows</translation>
    </message>
    <message>
        <source>当前信息</source>
        <translation>Port info</translation>
    </message>
    <message>
        <source>显示当前串口设置信息</source>
        <translation>Show the current port settings</translation>
    </message>
    <message>
        <source>显示控件面板</source>
        <translation>Show the data panel</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>History</translation>
    </message>
    <message>
        <source>查询历史串口数据</source>
        <translation>Recall data sent before</translation>
    </message>
    <message>
        <source>悬浮窗体</source>
        <translation>Pop out</translation>
    </message>
    <message>
        <source>绘制16进制数据波型图</source>
        <translation>Plot the received hex values</translation>
    </message>
    <message>
        <source>绘图其他数据波型图</source>
        <translation>Plot the received decimal values</translation>
    </message>
    <message>
        <source>数据发送/接收</source>
        <translation>Send/receive data</translation>
    </message>
    <message>
        <source>接收数据</source>
        <translation>Received data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>悬浮 【接收/发送数据窗体】</source>
        <translation>Pop out [receive/send window]</translation>
    </message>
    <message>
        <source>16进制接收</source>
        <translation>Hex display</translation>
    </message>
    <message>
        <source>发送数据</source>
        <translation>Data to send</translation>
    </message>
    <message>
        <source>发送</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>发送并保存</source>
        <translation>Send &amp;&amp; save</translation>
    </message>
    <message>
        <source>带帧头帧尾</source>
        <translation>Framed</translation>
    </message>
    <message>
        <source>帧头(5B)/帧尾5D</source>
        <translation>Frame head (5B) / frame tail 5D</translation>
    </message>
    <message>
        <source>16进制发送</source>
        <translation>Hex send</translation>
    </message>
    <message>
        <source>按16进制发送信息</source>
        <translation>Send the text as hex digits</translation>
    </message>
    <message>
        <source>已发送：</source>
        <translation>Sent:</translation>
    </message>
    <message>
        <source>已发送的字节数</source>
        <translation>Bytes sent</translation>
    </message>
    <message>
        <source>清空计数</source>
        <translation>Clear count</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>把接收数据或绘图数据记录到文件</source>
        <translation>Record the received or the plotted data to a file</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Kelvane 选项</source>
        <translation>Kelvane options</translation>
    </message>
    <message>
        <source>记录绘图数据</source>
        <translation>Record Plotted Data</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>记录接收数据</source>
        <translation>Record Received Data</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>TOpenFailure</name>
    <message>
        <source>没有权限打开 %1，请检查设备的访问权限。</source>
        <translation>No permission to open %1. Check the access rights of the device.</translation>
    </message>
    <message>
        <source>没有权限打开 %1：当前用户不在设备所属的 %2 组。请执行 sudo usermod -aG %2 $USER，然后重新登录。</source>
        <translation>No permission to open %1: you are not in the device&apos;s group %2. Run sudo usermod -aG %2 $USER, then log in again.</translation>
    </message>
    <message>
        <source>%1 已被其他程序占用，请先关闭该程序。</source>
        <translation>%1 is in use by another program. Close that program first.</translation>
    </message>
    <message>
        <source>%1 被进程 %2 (PID %3) 占用，请先关闭该程序。</source>
        <translation>%1 is in use by %2 (PID %3). Close that program first.</translation>
    </message>
    <message>
        <source>找不到设备 %1：设备未连接或已拔出。</source>
        <translation>No device %1: it is not connected or was unplugged.</translation>
    </message>
    <message>
        <source>%1 不是串口设备。</source>
        <translation>%1 is not a serial port.</translation>
    </message>
    <message>
        <source>设备 %1 没有响应（输入/输出错误），请重新插拔设备。</source>
        <translation>The device %1 does not answer (input/output error). Unplug it and plug it in again.</translation>
    </message>
    <message>
        <source>打开 %1 时出错：%2（错误码 %3）。</source>
        <translation>Could not open %1: %2 (error %3).</translation>
    </message>
</context>
<context>
    <name>TOptionsDialog</name>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>多通道与小数</source>
        <translation>Several channels and decimals</translation>
    </message>
    <message>
        <source>按接收时间</source>
        <translation>X by arrival time</translation>
    </message>
    <message>
        <source>显示时间戳</source>
        <translation>Show timestamps</translation>
    </message>
    <message>
        <source>波形最多点数：</source>
        <translation>Most chart points:</translation>
    </message>
    <message>
        <source>语言：</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>下次启动时生效</source>
        <translation>Takes effect at the next start</translation>
    </message>
    <message>
        <source>选项保存失败，请检查设置文件是否可写</source>
        <translation>The options could not be saved; check that the settings file is writable</translation>
    </message>
</context>
<context>
    <name>TPlotModeSwitch</name>
    <message>
        <source>绘图[16进制]</source>
        <translation>Plot [hex]</translation>
    </message>
    <message>
        <source>绘图其他</source>
        <translation>Plot [dec]</translation>
    </message>
    <message>
        <source>停止绘图</source>
        <translation>Stop plot</translation>
    </message>
</context>
<context>
    <name>TPortInfoPanel</name>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>空格</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>串口名称：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>校验位：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>Outx_Cts：</source>
        <translation>Outx_Cts:</translation>
    </message>
    <message>
        <source>Outx_Dsr：</source>
        <translation>Outx_Dsr:</translation>
    </message>
    <message>
        <source>Outx_XonXoff：</source>
        <translation>Outx_XonXoff:</translation>
    </message>
    <message>
        <source>XoffChar：</source>
        <translation>XoffChar:</translation>
    </message>
    <message>
        <source>XoffLimit：</source>
        <translation>XoffLimit:</translation>
    </message>
    <message>
        <source>XonChar：</source>
        <translation>XonChar:</translation>
    </message>
    <message>
        <source>当前串口信息</source>
        <translation>Current port settings</translation>
    </message>
</context>
<context>
    <name>TPortNoticeBar</name>
    <message>
        <source>关闭提示</source>
        <translation>Dismiss</translation>
    </message>
</context>
<context>
    <name>TPortOpener</name>
    <message>
        <source>未发出的 %1 字节已丢弃。</source>
        <translation>%1 unsent bytes were dropped.</translation>
    </message>
    <message>
        <source>串口打开成功</source>
        <translation>Port opened.</translation>
    </message>
    <message>
        <source>串口打开失败，请检测串口是否被占用或者为无用串口</source>
        <translation>Could not open the port. Check whether it is in use or not a working port.</translation>
    </message>
    <message>
        <source>串口关闭成功</source>
        <translation>Port closed.</translation>
    </message>
    <message>
        <source>串口 %1 的设备已断开，正在等待它重新连接…… %2</source>
        <translation>The device of port %1 went away; waiting for it to come back… %2</translation>
    </message>
    <message>
        <source>串口 %1 的设备已断开，串口已关闭。%2</source>
        <translation>The device of port %1 went away; the port is closed. %2</translation>
    </message>
    <message>
        <source>串口 %1 的设备已重新连接，串口已按原来的设置重新打开。</source>
        <translation>The device of port %1 is back; the port was reopened with the same settings.</translation>
    </message>
    <message>
        <source>串口驱动的接收缓冲区溢出</source>
        <translation>the driver&apos;s receive buffer overflowed</translation>
    </message>
    <message>
        <source>串口硬件来不及接收</source>
        <translation>the port hardware could not keep up</translation>
    </message>
    <message>
        <source>接收数据有丢失（%1）。请降低波特率，或打开流控。</source>
        <translation>Received data was lost (%1). Lower the baud rate or turn on flow control.</translation>
    </message>
</context>
<context>
    <name>TPrintTarget</name>
    <message>
        <source>接收数据-%1.pdf</source>
        <translation>received-data-%1.pdf</translation>
    </message>
    <message>
        <source>未找到打印机，打印到 PDF 文件</source>
        <translation>No printer found: print to a PDF file</translation>
    </message>
    <message>
        <source>PDF 文件(*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>TReceiveConsole</name>
    <message>
        <source>正在打印接收数据…</source>
        <translation>Printing the received data…</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>TRecordControls</name>
    <message>
        <source>记录接收数据…</source>
        <translation>Record Received Data…</translation>
    </message>
    <message>
        <source>记录绘图数据(CSV)…</source>
        <translation>Record Plotted Data (CSV)…</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop Recording</translation>
    </message>
    <message>
        <source>无法记录到该文件：%1</source>
        <translation>Cannot record to this file: %1</translation>
    </message>
    <message>
        <source>记录已停止：%1
已写入的数据保留在 %2 中。</source>
        <translation>Recording stopped: %1
What was written stays in %2.</translation>
    </message>
    <message>
        <source>记录中：%1</source>
        <translation>Recording: %1</translation>
    </message>
</context>
<context>
    <name>TSaveFilePrompt</name>
    <message>
        <source>文本文档(*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
</context>
<context>
    <name>TSendBox</name>
    <message>
        <source>撤消</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
</context>
<context>
    <name>TTimedSender</name>
    <message>
        <source>定时发送</source>
        <translation>Timed send</translation>
    </message>
    <message>
        <source>停止发送</source>
        <translation>Stop timer</translation>
    </message>
</context>
<context>
    <name>TTrayIcon</name>
    <message>
        <source>显示主界面</source>
        <translation>Show window</translation>
    </message>
    <message>
        <source>退出软件</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>在线升级</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>在线帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>双击显示主界面</source>
        <translation>Double-click to show the window</translation>
    </message>
</context>
<context>
    <name>TWaveformFeed</name>
    <message>
        <source>数据</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>数据波形图</source>
        <translation>Data waveform</translation>
    </message>
</context>
</TS>
