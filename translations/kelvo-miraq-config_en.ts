<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
    <context>
        <name>SetupSheet</name>
        <message>
            <source>设定表</source>
            <translation>Set-up sheet</translation>
        </message>
        <message>
            <source>来源</source>
            <translation>Source</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>校验</source>
            <translation>Checksum</translation>
        </message>
        <message>
            <source>文件 %1</source>
            <translation>File %1</translation>
        </message>
        <message>
            <source>遥控器</source>
            <translation>Transmitter</translation>
        </message>
        <message>
            <source>遥控器 %1</source>
            <translation>Transmitter %1</translation>
        </message>
    </context>
    <context>
        <name>Cli</name>
        <message>
            <source>Write a set-up sheet of a parameter file to print: every setting, as .html or .pdf.</source>
            <translation>Write a set-up sheet of a parameter file to print: every setting, as .html or .pdf.</translation>
        </message>
        <message>
            <source>Parameter file to print.</source>
            <translation>Parameter file to print.</translation>
        </message>
        <message>
            <source>The sheet to write: its extension, .html or .pdf, says which.</source>
            <translation>The sheet to write: its extension, .html or .pdf, says which.</translation>
        </message>
        <message>
            <source>sheet writes .html or .pdf, not %1</source>
            <translation>sheet writes .html or .pdf, not %1</translation>
        </message>
        <message>
            <source>set-up sheet written to %1 (checksum %2)</source>
            <translation>set-up sheet written to %1 (checksum %2)</translation>
        </message>
        <message>
            <source>no backups in %1</source>
            <translation>no backups in %1</translation>
        </message>
        <message>
            <source>List the automatic backups of the window, write and reset, newest first: time, the command each was taken before, the port ("-": not recorded) and the file. The 100 newest are kept.</source>
            <translation>List the automatic backups of the window, write and reset, newest first: time, the command each was taken before, the port ("-": not recorded) and the file. The 100 newest are kept.</translation>
        </message>
    </context>
    <context>
        <name>SetupTools</name>
        <message>
            <source>比较设定…</source>
            <translation>Compare set-ups…</translation>
        </message>
        <message>
            <source>备份列表…</source>
            <translation>Backups…</translation>
        </message>
        <message>
            <source>使用说明</source>
            <translation>Guide</translation>
        </message>
        <message>
            <source>关于</source>
            <translation>About</translation>
        </message>
        <message>
            <source>窗口中的设定</source>
            <translation>The window's set-up</translation>
        </message>
        <message>
            <source>还不知道遥控器中的设定：请先读取数据</source>
            <translation>The transmitter's set-up is not known yet: Read it first</translation>
        </message>
        <message>
            <source>取入 %1</source>
            <translation>Take from %1</translation>
        </message>
        <message>
            <source>备份 %1 · %2之前</source>
            <translation>Backup %1 · before %2</translation>
        </message>
        <message>
            <source>不在备份文件夹中</source>
            <translation>Not in the backup folder</translation>
        </message>
        <message>
            <source>没有日志文件：诊断输出写到标准错误（Windows：调试输出）</source>
            <translation>No log file: diagnostics go to standard error (Windows: the debug output)</translation>
        </message>
        <message>
            <source>保存设定表…</source>
            <translation>Save set-up sheet…</translation>
        </message>
        <message>
            <source>保存设定表</source>
            <translation>Save set-up sheet</translation>
        </message>
        <message>
            <source>PDF (*.pdf);;HTML (*.html)</source>
            <translation>PDF (*.pdf);;HTML (*.html)</translation>
        </message>
        <message>
            <source>无法写入 %1：%2</source>
            <translation>Cannot write %1: %2</translation>
        </message>
    </context>
    <context>
        <name>GuideDialog</name>
        <message>
            <source>使用说明</source>
            <translation>Guide</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>KELVO 与 MIRAQ 八通道遥控器的设置工具</source>
            <translation>Configuration tool for KELVO and MIRAQ eight-channel transmitters</translation>
        </message>
        <message>
            <source>Qt 版本</source>
            <translation>Qt version</translation>
        </message>
        <message>
            <source>构建日期</source>
            <translation>Built</translation>
        </message>
        <message>
            <source>许可</source>
            <translation>Licence</translation>
        </message>
        <message>
            <source>未声明：软件包中没有许可文件</source>
            <translation>Not stated: the package holds no licence file</translation>
        </message>
        <message>
            <source>备份</source>
            <translation>Backups</translation>
        </message>
        <message>
            <source>设置</source>
            <translation>Settings</translation>
        </message>
        <message>
            <source>日志</source>
            <translation>Log</translation>
        </message>
    </context>
    <context>
        <name>CompareDialog</name>
        <message>
            <source>文件…</source>
            <translation>File…</translation>
        </message>
        <message>
            <source>文件 %1</source>
            <translation>File %1</translation>
        </message>
        <message>
            <source>选择参数文件</source>
            <translation>Choose a parameter file</translation>
        </message>
        <message>
            <source>参数文件 (*.dat *.txt);;所有文件 (*)</source>
            <translation>Parameter files (*.dat *.txt);;All files (*)</translation>
        </message>
        <message>
            <source>设定</source>
            <translation>Setting</translation>
        </message>
        <message>
            <source>%1：%2 → %3</source>
            <translation>%1: %2 → %3</translation>
        </message>
        <message>
            <source>%1：两边都是 %2</source>
            <translation>%1: %2 in both</translation>
        </message>
        <message>
            <source>不能在窗口中修改，不能取入</source>
            <translation>Not changed in the window, so it cannot be taken</translation>
        </message>
        <message>
            <source>两边的设定相同。</source>
            <translation>Both set-ups are the same.</translation>
        </message>
        <message>
            <source>%1 项设定不同。</source>
            <translation>%1 settings differ.</translation>
        </message>
        <message>
            <source>“取入窗口”取 %1 的值（%2）</source>
            <translation>"Take into window" takes the values of %1 (%2)</translation>
        </message>
        <message>
            <source>比较设定</source>
            <translation>Compare set-ups</translation>
        </message>
        <message>
            <source>设定 &amp;A：</source>
            <translation>Set-up &amp;A:</translation>
        </message>
        <message>
            <source>设定 &amp;B：</source>
            <translation>Set-up &amp;B:</translation>
        </message>
        <message>
            <source>比较的第一个设定</source>
            <translation>First set-up compared</translation>
        </message>
        <message>
            <source>比较的第二个设定</source>
            <translation>Second set-up compared</translation>
        </message>
        <message>
            <source>只显示不同的设定(&amp;D)</source>
            <translation>Only &amp;differing settings</translation>
        </message>
        <message>
            <source>设定比较</source>
            <translation>Settings compared</translation>
        </message>
        <message>
            <source>空格键勾选一项设定；勾选一组即勾选其中所有设定</source>
            <translation>Space ticks a setting; ticking a group ticks all its settings</translation>
        </message>
        <message>
            <source>全选(&amp;S)</source>
            <translation>&amp;Select all</translation>
        </message>
        <message>
            <source>取入窗口</source>
            <translation>Take into window</translation>
        </message>
        <message>
            <source>所勾选的设定成为窗口中未写入的修改（一步撤销），下次写入时发送</source>
            <translation>The ticked settings become unwritten edits of the window (undone in one step), sent by the next Write</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
        <message>
            <source>另一命令进行中，未取入</source>
            <translation>Another command is running: nothing taken</translation>
        </message>
    </context>
    <context>
        <name>BackupListDialog</name>
        <message>
            <source>无法读取</source>
            <translation>unreadable</translation>
        </message>
        <message>
            <source>相同</source>
            <translation>same</translation>
        </message>
        <message>
            <source>未记录</source>
            <translation>not recorded</translation>
        </message>
        <message>
            <source>%1，%2之前，串口 %3，与窗口不同 %4 项</source>
            <translation>%1, before %2, port %3, %4 differing from the window</translation>
        </message>
        <message>
            <source>共 %1 个备份。</source>
            <translation>%1 backups.</translation>
        </message>
        <message>
            <source>没有文件管理器可以打开。路径见上方，可复制。</source>
            <translation>No file manager could be opened. The path is above, to copy.</translation>
        </message>
        <message>
            <source>删除备份</source>
            <translation>Delete backup</translation>
        </message>
        <message>
            <source>删除备份 %1？</source>
            <translation>Delete the backup %1?</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>不能删除：%1</source>
            <translation>Cannot delete: %1</translation>
        </message>
        <message>
            <source>备份</source>
            <translation>Backups</translation>
        </message>
        <message>
            <source>时间</source>
            <translation>Time</translation>
        </message>
        <message>
            <source>之前的命令</source>
            <translation>Before</translation>
        </message>
        <message>
            <source>串口</source>
            <translation>Port</translation>
        </message>
        <message>
            <source>与窗口不同</source>
            <translation>Differ from window</translation>
        </message>
        <message>
            <source>备份列表</source>
            <translation>Backup list</translation>
        </message>
        <message>
            <source>路径(&amp;P)：</source>
            <translation>&amp;Path:</translation>
        </message>
        <message>
            <source>备份的路径</source>
            <translation>Path of the backup</translation>
        </message>
        <message>
            <source>复制路径</source>
            <translation>Copy path</translation>
        </message>
        <message>
            <source>比较(&amp;C)</source>
            <translation>&amp;Compare</translation>
        </message>
        <message>
            <source>这个备份与窗口中的设定并排比较</source>
            <translation>This backup and the window's set-up side by side</translation>
        </message>
        <message>
            <source>恢复(&amp;R)</source>
            <translation>&amp;Restore</translation>
        </message>
        <message>
            <source>像“加载数据”一样加载这个备份：先列出改变的设定，发送后读回核对</source>
            <translation>Loads this backup as Load does: the changes are listed first, and the transmitter is read back after the send</translation>
        </message>
        <message>
            <source>在文件夹中显示(&amp;F)</source>
            <translation>Show in &amp;folder</translation>
        </message>
        <message>
            <source>删除(&amp;D)</source>
            <translation>&amp;Delete</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
    </context>
    <context>
        <name>Backups</name>
        <message>
            <source>写入</source>
            <translation>Write</translation>
        </message>
        <message>
            <source>出厂设置</source>
            <translation>Factory reset</translation>
        </message>
        <message>
            <source>重置数据</source>
            <translation>Reset data</translation>
        </message>
        <message>
            <source>加载</source>
            <translation>Load</translation>
        </message>
        <message>
            <source>保存</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>每次覆盖遥控器的设定之前自动备份。保留最新的 %1 个（按修改时间），更早的自动删除；只删除按备份方式命名的文件。</source>
            <translation>A backup is taken automatically before the transmitter's set-up is overwritten. The %1 newest (by modification time) are kept and older ones deleted; only files named as backups are ever deleted.</translation>
        </message>
        <message>
            <source>不是参数文件</source>
            <translation>not a parameter file</translation>
        </message>
    </context>
    <context>
        <name>Choices</name>
        <message>
            <source>正相</source>
            <translation>Nor</translation>
        </message>
        <message>
            <source>反相</source>
            <translation>Rev</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Off</translation>
        </message>
        <message>
            <source>打开</source>
            <translation>On</translation>
        </message>
        <message>
            <source>禁止</source>
            <translation>Inhibit</translation>
        </message>
        <message>
            <source>预留</source>
            <translation>Resv.</translation>
        </message>
    </context>
    <context>
        <name>Cli</name>
        <message>
            <source>List the serial ports.</source>
            <translation>List the serial ports.</translation>
        </message>
        <message>
            <source>Read the transmitter's configuration into a parameter file.</source>
            <translation>Read the transmitter's configuration into a parameter file.</translation>
        </message>
        <message>
            <source>Parameter file to write.</source>
            <translation>Parameter file to write.</translation>
        </message>
        <message>
            <source>Print the live channels and telemetry, one line per packet.</source>
            <translation>Print the live channels and telemetry, one line per packet.</translation>
        </message>
        <message>
            <source>Print every setting of a parameter file.</source>
            <translation>Print every setting of a parameter file.</translation>
        </message>
        <message>
            <source>Parameter file to show.</source>
            <translation>Parameter file to show.</translation>
        </message>
        <message>
            <source>Print the settings that differ between two parameter files.</source>
            <translation>Print the settings that differ between two parameter files.</translation>
        </message>
        <message>
            <source>First parameter file.</source>
            <translation>First parameter file.</translation>
        </message>
        <message>
            <source>Second parameter file.</source>
            <translation>Second parameter file.</translation>
        </message>
        <message>
            <source>Serial port of the transmitter: ttyUSB0, COM3, /dev/pts/7.</source>
            <translation>Serial port of the transmitter: ttyUSB0, COM3, /dev/pts/7.</translation>
        </message>
        <message>
            <source>name</source>
            <translation>name</translation>
        </message>
        <message>
            <source>Parameter file to save; only a complete reply is saved.</source>
            <translation>Parameter file to save; only a complete reply is saved.</translation>
        </message>
        <message>
            <source>file</source>
            <translation>file</translation>
        </message>
        <message>
            <source>Stop after n seconds (default: at Ctrl-C).</source>
            <translation>Stop after n seconds (default: at Ctrl-C).</translation>
        </message>
        <message>
            <source>n</source>
            <translation>n</translation>
        </message>
        <message>
            <source>Comma-separated numbers with a header line.</source>
            <translation>Comma-separated numbers with a header line.</translation>
        </message>
        <message>
            <source>A JSON array instead of text.</source>
            <translation>A JSON array instead of text.</translation>
        </message>
        <message>
            <source>Reads, writes and watches KELVO and MIRAQ eight-channel transmitters, and shows and compares their parameter files.</source>
            <translation>Reads, writes and watches KELVO and MIRAQ eight-channel transmitters, and shows and compares their parameter files.</translation>
        </message>
        <message>
            <source>Commands:</source>
            <translation>Commands:</translation>
        </message>
        <message>
            <source>"%1 &lt;command&gt; --help" describes one command.</source>
            <translation>"%1 &lt;command&gt; --help" describes one command.</translation>
        </message>
        <message>
            <source>Language of the messages, the setting names and the doctor's report: zh or en (default: the system's, zh for a Chinese locale, en for any other).</source>
            <translation>Language of the messages, the setting names and the doctor's report: zh or en (default: the system's, zh for a Chinese locale, en for any other).</translation>
        </message>
        <message>
            <source>code</source>
            <translation>code</translation>
        </message>
        <message>
            <source>%1 (see %2 --help)</source>
            <translation>%1 (see %2 --help)</translation>
        </message>
        <message>
            <source>%1 needs --port</source>
            <translation>%1 needs --port</translation>
        </message>
        <message>
            <source>%1 needs -o FILE</source>
            <translation>%1 needs -o FILE</translation>
        </message>
        <message>
            <source>usage: %1</source>
            <translation>usage: %1</translation>
        </message>
        <message>
            <source>--seconds takes a whole number of seconds, 0 or more</source>
            <translation>--seconds takes a whole number of seconds, 0 or more</translation>
        </message>
        <message>
            <source>--lang takes zh or en</source>
            <translation>--lang takes zh or en</translation>
        </message>
        <message>
            <source>What to do; see Commands above.</source>
            <translation>What to do; see Commands above.</translation>
        </message>
        <message>
            <source>no command given</source>
            <translation>no command given</translation>
        </message>
        <message>
            <source>unknown command "%1"</source>
            <translation>unknown command "%1"</translation>
        </message>
        <message>
            <source>no differences</source>
            <translation>no differences</translation>
        </message>
        <message>
            <source>%1: no such file</source>
            <translation>%1: no such file</translation>
        </message>
        <message>
            <source>%1 is a directory, not a parameter file</source>
            <translation>%1 is a directory, not a parameter file</translation>
        </message>
        <message>
            <source>cannot read %1: %2</source>
            <translation>cannot read %1: %2</translation>
        </message>
        <message>
            <source>%1 is not a parameter file: no parameter frame in it</source>
            <translation>%1 is not a parameter file: no parameter frame in it</translation>
        </message>
        <message>
            <source>%1 is incomplete: settings on %2 are unknown (frames %3 missing)</source>
            <translation>%1 is incomplete: settings on %2 are unknown (frames %3 missing)</translation>
        </message>
        <message>
            <source>未知</source>
            <translation>unknown</translation>
        </message>
        <message>
            <source>CH %1  TX %2  RSSI %3  RX %4  EXT %5</source>
            <translation>CH %1  TX %2  RSSI %3  RX %4  EXT %5</translation>
        </message>
        <message>
            <source>the port %1 went away</source>
            <translation>the port %1 went away</translation>
        </message>
        <message>
            <source>%1 of %2 parameter blocks received</source>
            <translation>%1 of %2 parameter blocks received</translation>
        </message>
        <message>
            <source>%1 of %2 frames sent, then the port %3 went away: the transmitter may hold part of the new set-up</source>
            <translation>%1 of %2 frames sent, then the port %3 went away: the transmitter may hold part of the new set-up</translation>
        </message>
        <message>
            <source>%1 of %1 frames sent, then the port %2 went away during the read-back: what the transmitter holds is not confirmed</source>
            <translation>%1 of %1 frames sent, then the port %2 went away during the read-back: what the transmitter holds is not confirmed</translation>
        </message>
        <message>
            <source>the transmitter on %1 does not answer</source>
            <translation>the transmitter on %1 does not answer</translation>
        </message>
        <message>
            <source>incomplete reply from the transmitter on %1: blocks %2 missing</source>
            <translation>incomplete reply from the transmitter on %1: blocks %2 missing</translation>
        </message>
        <message>
            <source>verified: the transmitter holds every setting sent</source>
            <translation>verified: the transmitter holds every setting sent</translation>
        </message>
        <message numerus="yes">
            <source>the transmitter differs in %n setting(s) (sent -&gt; read back):</source>
            <translation>
                <numerusform>the transmitter differs in %n setting (sent -&gt; read back):</numerusform>
                <numerusform>the transmitter differs in %n settings (sent -&gt; read back):</numerusform>
            </translation>
        </message>
        <message>
            <source>no serial ports found</source>
            <translation>no serial ports found</translation>
        </message>
        <message>
            <source>cannot write %1: %2</source>
            <translation>cannot write %1: %2</translation>
        </message>
        <message>
            <source>saved to %1</source>
            <translation>saved to %1</translation>
        </message>
        <message>
            <source>the factory values</source>
            <translation>the factory values</translation>
        </message>
        <message>
            <source>no live packets from the transmitter on %1</source>
            <translation>no live packets from the transmitter on %1</translation>
        </message>
        <message>
            <source>no transmitter answering on %1</source>
            <translation>no transmitter answering on %1</translation>
        </message>
        <message>
            <source>no status packet from the transmitter on %1, so its trims are unknown and it cannot be backed up</source>
            <translation>no status packet from the transmitter on %1, so its trims are unknown and it cannot be backed up</translation>
        </message>
        <message>
            <source>no status packet from the transmitter on %1, so its trims are unknown; nothing saved</source>
            <translation>no status packet from the transmitter on %1, so its trims are unknown; nothing saved</translation>
        </message>
        <message>
            <source>%1 lacks the frames %2, and the set-up of the transmitter on %3 could not be read to fill them in; nothing sent</source>
            <translation>%1 lacks the frames %2, and the set-up of the transmitter on %3 could not be read to fill them in; nothing sent</translation>
        </message>
        <message>
            <source>%1 lacks the frames %2: their settings are kept as read from the transmitter</source>
            <translation>%1 lacks the frames %2: their settings are kept as read from the transmitter</translation>
        </message>
        <message>
            <source>(from KELVO_EXTRA_PORTS)</source>
            <translation>(from KELVO_EXTRA_PORTS)</translation>
        </message>
        <message>
            <source>%1: %2</source>
            <translation>%1: %2</translation>
        </message>
        <message>
            <source>Back up the transmitter's set-up as the window does, write a parameter file to it, then read it back and compare.</source>
            <translation>Back up the transmitter's set-up as the window does, write a parameter file to it, then read it back and compare.</translation>
        </message>
        <message>
            <source>Back up the transmitter's set-up as the window does, put the factory values into it, then read it back and compare.</source>
            <translation>Back up the transmitter's set-up as the window does, put the factory values into it, then read it back and compare.</translation>
        </message>
        <message>
            <source>Kept for old scripts: reading back and comparing is the default.</source>
            <translation>Kept for old scripts: reading back and comparing is the default.</translation>
        </message>
        <message>
            <source>Do not read the configuration back: the send is not confirmed.</source>
            <translation>Do not read the configuration back: the send is not confirmed.</translation>
        </message>
        <message>
            <source>Do not read the transmitter first to back up what it holds.</source>
            <translation>Do not read the transmitter first to back up what it holds.</translation>
        </message>
        <message>
            <source>Send even when the backup cannot be taken.</source>
            <translation>Send even when the backup cannot be taken.</translation>
        </message>
        <message>
            <source>cannot write the backup %1: %2</source>
            <translation>cannot write the backup %1: %2</translation>
        </message>
        <message>
            <source>the set-up of the transmitter on %1 could not be read (%2 of %3 parameter blocks received), so it cannot be backed up</source>
            <translation>the set-up of the transmitter on %1 could not be read (%2 of %3 parameter blocks received), so it cannot be backed up</translation>
        </message>
        <message>
            <source>; sending without a backup (--force)</source>
            <translation>; sending without a backup (--force)</translation>
        </message>
        <message>
            <source>; nothing sent (--force sends anyway, --no-backup takes none)</source>
            <translation>; nothing sent (--force sends anyway, --no-backup takes none)</translation>
        </message>
        <message>
            <source>Exit status:
  0  done; diff: the files are equal; write, reset: read back and equal
     (with --no-verify: sent, not checked)
  1  diff: the files differ; write, reset: the transmitter read back differs
     from what was sent (the differing settings are listed)
  2  the command line is wrong
  3  a file is missing, unreadable, not a parameter file or cannot be written;
     write: the file lacks frames and the transmitter's set-up cannot be read
  4  the port does not exist, is busy, cannot be opened or went away;
     write, reset: nothing was sent
  5  the transmitter does not answer, or its reply is incomplete or keeps repeating
     (a read ends at most about 8 s after its request);
     write, reset: it went silent after the send, its read-back is incomplete or
     its trims could not be checked: what it holds is not confirmed
  6  show, diff: a file lacks frames; the pages it leaves unknown are named and
     their settings shown as unknown (null in JSON), never as start values
  7  write, reset: the port went away after frames had gone out ("2 of 4 frames
     sent"): the transmitter may hold part of the new set-up
  8  write, reset: the transmitter's set-up could not be read or its backup
     written; nothing was sent (--force sends anyway, --no-backup takes none)
  doctor: 10 no such port, or what was given is no serial device (a folder, a file),
     11 no permission to open it, 12 another program holds it,
     13 brltty took the USB adapter, 14 ModemManager probes it, 15 no transmitter answers</source>
            <translation>Exit status:
  0  done; diff: the files are equal; write, reset: read back and equal
     (with --no-verify: sent, not checked)
  1  diff: the files differ; write, reset: the transmitter read back differs
     from what was sent (the differing settings are listed)
  2  the command line is wrong
  3  a file is missing, unreadable, not a parameter file or cannot be written;
     write: the file lacks frames and the transmitter's set-up cannot be read
  4  the port does not exist, is busy, cannot be opened or went away;
     write, reset: nothing was sent
  5  the transmitter does not answer, or its reply is incomplete or keeps repeating
     (a read ends at most about 8 s after its request);
     write, reset: it went silent after the send, its read-back is incomplete or
     its trims could not be checked: what it holds is not confirmed
  6  show, diff: a file lacks frames; the pages it leaves unknown are named and
     their settings shown as unknown (null in JSON), never as start values
  7  write, reset: the port went away after frames had gone out ("2 of 4 frames
     sent"): the transmitter may hold part of the new set-up
  8  write, reset: the transmitter's set-up could not be read or its backup
     written; nothing was sent (--force sends anyway, --no-backup takes none)
  doctor: 10 no such port, or what was given is no serial device (a folder, a file),
     11 no permission to open it, 12 another program holds it,
     13 brltty took the USB adapter, 14 ModemManager probes it, 15 no transmitter answers</translation>
        </message>
        <message numerus="yes">
            <source> (%n block(s) came again)</source>
            <translation>
                <numerusform> (%n block came again)</numerusform>
                <numerusform> (%n blocks came again)</numerusform>
            </translation>
        </message>
        <message>
            <source>sent %1 to %2, not verified (--no-verify)</source>
            <translation>sent %1 to %2, not verified (--no-verify)</translation>
        </message>
        <message>
            <source>not confirmed: the transmitter on %1 is silent since the send (no live packet and no parameter block for %2 s); what it holds is unknown</source>
            <translation>not confirmed: the transmitter on %1 is silent since the send (no live packet and no parameter block for %2 s); what it holds is unknown</translation>
        </message>
        <message>
            <source>not confirmed: the transmitter on %1 does not answer the read-back; what it holds is unknown</source>
            <translation>not confirmed: the transmitter on %1 does not answer the read-back; what it holds is unknown</translation>
        </message>
        <message>
            <source>not confirmed: incomplete read-back from the transmitter on %1: blocks %2 missing</source>
            <translation>not confirmed: incomplete read-back from the transmitter on %1: blocks %2 missing</translation>
        </message>
        <message>
            <source>not confirmed: no status packet from the transmitter on %1 after the read-back, so its trims could not be checked</source>
            <translation>not confirmed: no status packet from the transmitter on %1 after the read-back, so its trims could not be checked</translation>
        </message>
        <message>
            <source>Find out why the transmitter cannot be reached, and how to fix it.</source>
            <translation>Find out why the transmitter cannot be reached, and how to fix it.</translation>
        </message>
        <message>
            <source>none</source>
            <translation>none</translation>
        </message>
    </context>
    <context>
        <name>CommandHelp</name>
        <message>
            <source>从遥控器读取全部设置，显示在各页上。</source>
            <translation>Reads the transmitter's whole set-up into the pages.</translation>
        </message>
        <message>
            <source>把各页上的全部设置写入遥控器，替换其中的设置。</source>
            <translation>Writes the whole set-up of the pages into the transmitter, replacing what it holds.</translation>
        </message>
        <message>
            <source>从文件加载设置，并立即写入遥控器。</source>
            <translation>Loads a set-up from a file and at once writes it into the transmitter.</translation>
        </message>
        <message>
            <source>把设置保存到文件，同时也写入遥控器。</source>
            <translation>Saves the set-up to a file and also writes it into the transmitter.</translation>
        </message>
        <message>
            <source>用出厂设置替换遥控器的全部设置，
微调也恢复为出厂值。
之前读取的设置自动备份在：
%1</source>
            <translation>Replaces the transmitter's whole set-up with factory values;
the trims are reset to factory values too.
The set-up read before is backed up in:
%1</translation>
        </message>
        <message>
            <source>用出厂设置替换遥控器的全部设置，
但保留遥控器当前的微调。
之前读取的设置自动备份在：
%1</source>
            <translation>Replaces the transmitter's whole set-up with factory values
but keeps the transmitter's current trims.
The set-up read before is backed up in:
%1</translation>
        </message>
        <message>
            <source>打开或关闭所选的串口。</source>
            <translation>Opens or closes the chosen serial port.</translation>
        </message>
        <message>
            <source>遥控器所连接的串口。</source>
            <translation>The serial port the transmitter is plugged into.</translation>
        </message>
        <message>
            <source>绿色：串口已打开；红色：串口已关闭。</source>
            <translation>Green: the port is open; red: it is closed.</translation>
        </message>
        <message>
            <source>快捷键：%1</source>
            <translation>Shortcut: %1</translation>
        </message>
    </context>
    <context>
        <name>ConnectionCheck</name>
        <message>
            <source>未检查</source>
            <translation>not checked</translation>
        </message>
        <message>
            <source>安装软件包自带的 udev 规则（%1）后重新插拔；或运行 sudo usermod -aG %2 %3，然后重新登录</source>
            <translation>Install the package's udev rule (%1) and replug, or run sudo usermod -aG %2 %3 and log in again</translation>
        </message>
        <message>
            <source>无权打开 %1：它属于 %2 组（权限 %3），用户 %4 在该组</source>
            <translation>No permission to open %1: it belongs to group %2 (mode %3), and user %4 is in it</translation>
        </message>
        <message>
            <source>安装软件包自带的 udev 规则（%1）后重新插拔</source>
            <translation>Install the package's udev rule (%1) and replug</translation>
        </message>
        <message>
            <source>无权打开 %1：它属于 %2 组，用户 %3 已加入该组，但本次登录时还不在</source>
            <translation>No permission to open %1: it belongs to group %2; user %3 joined it after logging in</translation>
        </message>
        <message>
            <source>注销并重新登录（或重启），新的组才生效</source>
            <translation>Log out and in again (or restart) for the new group to count</translation>
        </message>
        <message>
            <source>无权打开 %1：它属于 %2 组，用户 %3 不在该组</source>
            <translation>No permission to open %1: it belongs to group %2, and user %3 is not in it</translation>
        </message>
        <message>
            <source>brltty 没有占用 USB 转串口转换器</source>
            <translation>brltty holds no USB-serial adapter</translation>
        </message>
        <message>
            <source>CH340/CH341 转换器（%1）已插上，却没有串口：brltty 把它当作盲文显示器占用了</source>
            <translation>A CH340/CH341 adapter (%1) is plugged in but has no port: brltty took it for a braille display</translation>
        </message>
        <message>
            <source>运行 sudo systemctl mask brltty-udev.service brltty.service（或 sudo apt remove brltty），然后重新插拔</source>
            <translation>Run sudo systemctl mask brltty-udev.service brltty.service (or sudo apt remove brltty), then replug</translation>
        </message>
        <message>
            <source>%1 不是 ttyACM 串口，ModemManager 不会探测它</source>
            <translation>%1 is no ttyACM port, so ModemManager leaves it alone</translation>
        </message>
        <message>
            <source>ModemManager 没有运行</source>
            <translation>ModemManager is not running</translation>
        </message>
        <message>
            <source>ModemManager 在运行，udev 规则让它不碰 %1</source>
            <translation>ModemManager is running; the udev rule keeps it off %1</translation>
        </message>
        <message>
            <source>ModemManager 在运行，会把 %1 当作调制解调器探测</source>
            <translation>ModemManager is running and probes %1 as a modem</translation>
        </message>
        <message>
            <source>安装软件包自带的 udev 规则（%1）后重新插拔；或运行 sudo systemctl stop ModemManager</source>
            <translation>Install the package's udev rule (%1) and replug, or run sudo systemctl stop ModemManager</translation>
        </message>
        <message>
            <source>发射机在 %1 上应答</source>
            <translation>The transmitter answers on %1</translation>
        </message>
        <message>
            <source>%1 能打开，但发出 "OK" 后 2 秒内没有收到发射机的数据</source>
            <translation>%1 opens, but no data from the transmitter came within 2 s of "OK"</translation>
        </message>
        <message>
            <source>打开发射机，检查数据线是否插好，或在列表中选择另一个串口</source>
            <translation>Switch the transmitter on, check the cable, or choose another port in the list</translation>
        </message>
        <message>
            <source>无法打开 %1：%2</source>
            <translation>Cannot open %1: %2</translation>
        </message>
        <message>
            <source>关闭其他使用串口的程序，然后重试</source>
            <translation>Close other programs that use serial ports, then try again</translation>
        </message>
        <message>
            <source>%1 在等待应答时消失了</source>
            <translation>%1 went away while waiting for an answer</translation>
        </message>
        <message>
            <source>检查数据线，重新插上</source>
            <translation>Check the cable and plug it in again</translation>
        </message>
        <message>
            <source>没有找到 USB 串口</source>
            <translation>No USB serial port found</translation>
        </message>
        <message>
            <source>没有串口 %1</source>
            <translation>No serial port %1</translation>
        </message>
        <message>
            <source>插上发射机的数据线，并在列表中选择它的串口</source>
            <translation>Plug in the transmitter's cable and choose its port in the list</translation>
        </message>
        <message>
            <source>串口 %1 存在</source>
            <translation>Port %1 exists</translation>
        </message>
        <message>
            <source>本程序已打开 %1</source>
            <translation>This program has %1 open</translation>
        </message>
        <message>
            <source>可以打开 %1</source>
            <translation>%1 may be opened</translation>
        </message>
        <message>
            <source>%1 正被另一个程序占用：%2（进程 %3）</source>
            <translation>%1 is in use by another program: %2 (process %3)</translation>
        </message>
        <message>
            <source>关闭该程序，或运行 kill %1</source>
            <translation>Close that program, or run kill %1</translation>
        </message>
        <message>
            <source>%1 正被另一个程序占用（看不到是哪一个）</source>
            <translation>%1 is in use by another program (which one cannot be seen)</translation>
        </message>
        <message>
            <source>关闭其他使用串口的程序（串口终端、切片软件、开发环境），然后重试</source>
            <translation>Close other programs that use serial ports (terminals, slicers, IDEs), then try again</translation>
        </message>
        <message>
            <source>没有其他程序占用 %1</source>
            <translation>No other program has %1 open</translation>
        </message>
        <message>
            <source>通过</source>
            <translation>ok</translation>
        </message>
        <message>
            <source>失败</source>
            <translation>FAIL</translation>
        </message>
        <message>
            <source>跳过</source>
            <translation>skipped</translation>
        </message>
        <message>
            <source>解决：%1</source>
            <translation>Fix: %1</translation>
        </message>
        <message>
            <source>连接检查全部通过</source>
            <translation>Every connection check passed</translation>
        </message>
        <message>
            <source>串口不存在</source>
            <translation>No such port</translation>
        </message>
        <message>
            <source>无权打开串口</source>
            <translation>No access to the port</translation>
        </message>
        <message>
            <source>串口被占用</source>
            <translation>Port in use</translation>
        </message>
        <message>
            <source>brltty 占用了转换器</source>
            <translation>brltty took the adapter</translation>
        </message>
        <message>
            <source>ModemManager 在探测串口</source>
            <translation>ModemManager probes the port</translation>
        </message>
        <message>
            <source>发射机无应答</source>
            <translation>No answer from the transmitter</translation>
        </message>
        <message>
            <source>无权打开 %1：它属于用户 %2 和 %3 组，权限 %4 只允许 %2 打开</source>
            <translation>No permission to open %1: it belongs to user %2 and group %3, and mode %4 lets only %2 open it</translation>
        </message>
        <message>
            <source>锁文件 %1 已失效：里面没有进程号</source>
            <translation>The lock file %1 is stale: it holds no process id</translation>
        </message>
        <message>
            <source>锁文件 %1 已失效：写下它的进程 %2 已结束</source>
            <translation>The lock file %1 is stale: process %2, which wrote it, has ended</translation>
        </message>
        <message>
            <source>锁文件 %1 已失效：进程 %2（%3）没有打开 %4</source>
            <translation>The lock file %1 is stale: process %2 (%3) does not have %4 open</translation>
        </message>
        <message>
            <source>锁文件 %1 已失效：进程 %2 现在是 %3，不是写下它的 %4</source>
            <translation>The lock file %1 is stale: process %2 is now %3, not %4, which wrote it</translation>
        </message>
        <message>
            <source>锁文件 %1 写着进程 %2（%3），看不到它是否打开了 %4</source>
            <translation>The lock file %1 names process %2 (%3); whether it has %4 open cannot be seen</translation>
        </message>
        <message>
            <source>删除锁文件（%1），然后重试</source>
            <translation>Remove the lock file (%1), then try again</translation>
        </message>
        <message>
            <source>没有串口 %1：它指向的 %2 不存在</source>
            <translation>No serial port %1: it leads to %2, which does not exist</translation>
        </message>
        <message>
            <source>%1 不是串口设备，而是一个文件夹</source>
            <translation>%1 is no serial device but a folder</translation>
        </message>
        <message>
            <source>%1 不是串口设备，而是一个普通文件</source>
            <translation>%1 is no serial device but a plain file</translation>
        </message>
        <message>
            <source>%1 不是串口设备</source>
            <translation>%1 is no serial device</translation>
        </message>
        <message>
            <source>在列表中选择发射机的串口，或给出它的设备名（如 ttyUSB0、/dev/ttyACM0）</source>
            <translation>Choose the transmitter's port in the list, or give its device name (such as ttyUSB0 or /dev/ttyACM0)</translation>
        </message>
        <message>
            <source>串口 %1 存在（%2 指向它）</source>
            <translation>Port %1 exists (%2 leads to it)</translation>
        </message>
        <message>
            <source>%1 正被另一个程序占用：%2（进程 %3），据锁文件 %4</source>
            <translation>%1 is in use by another program: %2 (process %3), by its lock file %4</translation>
        </message>
        <message>
            <source>关闭 %1，然后重试</source>
            <translation>Close %1, then try again</translation>
        </message>
        <message>
            <source>%1 正被另一个程序占用（看不到是哪一个）；%2</source>
            <translation>%1 is in use by another program (which one cannot be seen); %2</translation>
        </message>
        <message>
            <source>；</source>
            <translation>; </translation>
        </message>
        <message>
            <source>没有其他程序占用 %1；%2</source>
            <translation>No other program has %1 open; %2</translation>
        </message>
        <message>
            <source>删除失效的锁文件：%1</source>
            <translation>Remove the stale lock file: %1</translation>
        </message>
        <message>
            <source>若锁文件里的程序并未使用串口，删除锁文件：%1</source>
            <translation>If the program in the lock file does not use the port, remove the lock file: %1</translation>
        </message>
        <message>
            <source>串口</source>
            <translation>port</translation>
        </message>
        <message>
            <source>权限</source>
            <translation>access</translation>
        </message>
        <message>
            <source>占用</source>
            <translation>holder</translation>
        </message>
        <message>
            <source>brltty</source>
            <translation>brltty</translation>
        </message>
        <message>
            <source>ModemManager</source>
            <translation>modemmanager</translation>
        </message>
        <message>
            <source>应答</source>
            <translation>answer</translation>
        </message>
        <message>
            <source>注意</source>
            <translation>note</translation>
        </message>
        <message>
            <source>%1  %2：%3</source>
            <translation>%1  %2: %3</translation>
        </message>
    </context>
    <context>
        <name>ConnectionCheckWindow</name>
        <message>
            <source>检查连接</source>
            <translation>Check connection</translation>
        </message>
        <message>
            <source>复制诊断信息</source>
            <translation>Copy diagnostics</translation>
        </message>
        <message>
            <source>连接检查</source>
            <translation>Connection check</translation>
        </message>
        <message>
            <source>已复制</source>
            <translation>Copied</translation>
        </message>
        <message>
            <source>串口：%1</source>
            <translation>Port: %1</translation>
        </message>
        <message>
            <source>串口已拔出</source>
            <translation>The port was unplugged</translation>
        </message>
        <message>
            <source>串口不在列表中</source>
            <translation>The port is not in the list</translation>
        </message>
    </context>
    <context>
        <name>EditHistory</name>
        <message>
            <source>撤销</source>
            <translation>Undo</translation>
        </message>
        <message>
            <source>重做</source>
            <translation>Redo</translation>
        </message>
        <message>
            <source>撤销：%1</source>
            <translation>Undo: %1</translation>
        </message>
        <message>
            <source>重做：%1</source>
            <translation>Redo: %1</translation>
        </message>
        <message>
            <source>恢复为发射机中的值</source>
            <translation>Revert to transmitter values</translation>
        </message>
        <message>
            <source>打开备份文件夹</source>
            <translation>Open backup folder</translation>
        </message>
        <message>
            <source>发送后读回核对</source>
            <translation>Verify after sending</translation>
        </message>
        <message>
            <source>已加载的文件 %1 尚未发送到遥控器。</source>
            <translation>The loaded file %1 has not been sent to the transmitter.</translation>
        </message>
        <message numerus="yes">
            <source>有 %n 项更改尚未写入遥控器。</source>
            <translation>
                <numerusform>%n change has not been written to the transmitter.</numerusform>
                <numerusform>%n changes have not been written to the transmitter.</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>FormText</name>
        <message>
            <source>舵量显示</source>
            <translation>Monitor</translation>
        </message>
        <message>
            <source>基础菜单</source>
            <translation>Basic</translation>
        </message>
        <message>
            <source>高级菜单1</source>
            <translation>Advanced 1</translation>
        </message>
        <message>
            <source>高级菜单2</source>
            <translation>Advanced 2</translation>
        </message>
        <message>
            <source>混控设置</source>
            <translation>Mixes</translation>
        </message>
        <message>
            <source>系统设置</source>
            <translation>System</translation>
        </message>
        <message>
            <source>通道</source>
            <translation>Channel</translation>
        </message>
        <message>
            <source>舵机相位</source>
            <translation>Reverse</translation>
        </message>
        <message>
            <source>中点微调</source>
            <translation>Sub-trim</translation>
        </message>
        <message>
            <source>舵机行程量--L---R---</source>
            <translation>End point--L-----R---</translation>
        </message>
        <message>
            <source>失控保护</source>
            <translation>Fail-safe</translation>
        </message>
        <message>
            <source>舵机延迟</source>
            <translation>Delay</translation>
        </message>
        <message>
            <source>辅助通道</source>
            <translation>Aux channel</translation>
        </message>
        <message>
            <source>大小舵设置</source>
            <translation>Dual rate</translation>
        </message>
        <message>
            <source>混控:</source>
            <translation>Mix:</translation>
        </message>
        <message>
            <source>通道:</source>
            <translation>Chan:</translation>
        </message>
        <message>
            <source>开关:</source>
            <translation>Switch:</translation>
        </message>
        <message>
            <source>上档:</source>
            <translation>Up:</translation>
        </message>
        <message>
            <source>下档:</source>
            <translation>Down:</translation>
        </message>
        <message>
            <source>姿态选择</source>
            <translation>Flight mode</translation>
        </message>
        <message>
            <source>升降副翼混控</source>
            <translation>Elevon mix</translation>
        </message>
        <message>
            <source>副翼1:</source>
            <translation>Ail 1:</translation>
        </message>
        <message>
            <source>副翼2:</source>
            <translation>Ail 2:</translation>
        </message>
        <message>
            <source>副翼1 第二个值</source>
            <translation>Ail 1, second value</translation>
        </message>
        <message>
            <source>副翼2 第二个值</source>
            <translation>Ail 2, second value</translation>
        </message>
        <message>
            <source>附加值（不可编辑，照原样传送）</source>
            <translation>Extra value (not editable, passed on as it is)</translation>
        </message>
        <message>
            <source>升降2:</source>
            <translation>Elev 2:</translation>
        </message>
        <message>
            <source>升降1:</source>
            <translation>Elev 1:</translation>
        </message>
        <message>
            <source>V型尾翼混控</source>
            <translation>V-tail mix</translation>
        </message>
        <message>
            <source>尾舵2:</source>
            <translation>Rud 2:</translation>
        </message>
        <message>
            <source>尾舵1:</source>
            <translation>Rud 1:</translation>
        </message>
        <message>
            <source>大小舵曲线</source>
            <translation>Dual rate curve</translation>
        </message>
        <message>
            <source> 通道:</source>
            <translation>Chan:</translation>
        </message>
        <message>
            <source> 位置:</source>
            <translation>Pos:</translation>
        </message>
        <message>
            <source>比率:</source>
            <translation>Rate:</translation>
        </message>
        <message>
            <source>指数:</source>
            <translation>Expo:</translation>
        </message>
        <message>
            <source>油门曲线</source>
            <translation>Throttle curve</translation>
        </message>
        <message>
            <source>可编程混控一</source>
            <translation>Program mix 1</translation>
        </message>
        <message>
            <source>可编程混控二</source>
            <translation>Program mix 2</translation>
        </message>
        <message>
            <source>可编程混控三</source>
            <translation>Program mix 3</translation>
        </message>
        <message>
            <source>可编程混控四</source>
            <translation>Program mix 4</translation>
        </message>
        <message>
            <source>报警设置</source>
            <translation>Alarms</translation>
        </message>
        <message>
            <source>遥控器电压:</source>
            <translation>TX voltage:</translation>
        </message>
        <message>
            <source>接收机电压:</source>
            <translation>RX voltage:</translation>
        </message>
        <message>
            <source>动力电池电压:</source>
            <translation>Flight battery:</translation>
        </message>
        <message>
            <source>RSSI信号:</source>
            <translation>RSSI signal:</translation>
        </message>
        <message>
            <source> 版本 / 模式</source>
            <translation>Version / Mode</translation>
        </message>
        <message>
            <source>遥控器摇杆模式:</source>
            <translation>Stick mode:</translation>
        </message>
        <message>
            <source>遥控器固件版本:</source>
            <translation>TX firmware:</translation>
        </message>
        <message>
            <source>电脑调参APP版本:</source>
            <translation>App version:</translation>
        </message>
        <message>
            <source>    微调一:</source>
            <translation>Trim 1:</translation>
        </message>
        <message>
            <source>  微调二:</source>
            <translation>Trim 2:</translation>
        </message>
        <message>
            <source> 微调三:</source>
            <translation>Trim 3:</translation>
        </message>
        <message>
            <source> 微调四:</source>
            <translation>Trim 4:</translation>
        </message>
        <message>
            <source>重置数据</source>
            <translation>Reset data</translation>
        </message>
        <message>
            <source>姿态%1:</source>
            <translation>FM %1:</translation>
        </message>
        <message>
            <source>曲线点%1:</source>
            <translation>Point %1:</translation>
        </message>
        <message>
            <source>主控:</source>
            <translation>Master:</translation>
        </message>
        <message>
            <source>被控:</source>
            <translation>Slave:</translation>
        </message>
        <message>
            <source>偏置:</source>
            <translation>Offset:</translation>
        </message>
        <message>
            <source>上边:</source>
            <translation>High:</translation>
        </message>
        <message>
            <source>下边:</source>
            <translation>Low:</translation>
        </message>
    </context>
    <context>
        <name>MainForm</name>
        <message>
            <source>重置数据</source>
            <translation>Reset data</translation>
        </message>
        <message>
            <source>打开串口</source>
            <translation>OPEN</translation>
        </message>
        <message>
            <source>遥控:</source>
            <translation>TX:</translation>
        </message>
        <message>
            <source>动力:</source>
            <translation>Power:</translation>
        </message>
        <message>
            <source>信号:</source>
            <translation>RSSI:</translation>
        </message>
        <message>
            <source>出厂设置</source>
            <translation>Factory</translation>
        </message>
        <message>
            <source> 读取数据</source>
            <translation>Read</translation>
        </message>
        <message>
            <source>加载数据</source>
            <translation>Load</translation>
        </message>
        <message>
            <source>保存数据</source>
            <translation>Save</translation>
        </message>
        <message>
            <source>写入数据</source>
            <translation>Write</translation>
        </message>
        <message>
            <source>接收:</source>
            <translation>RX:</translation>
        </message>
    </context>
    <context>
        <name>MessageTexts</name>
        <message>
            <source>打开串口</source>
            <translation>OPEN</translation>
        </message>
        <message>
            <source>关闭串口</source>
            <translation>CLOSE</translation>
        </message>
        <message>
            <source>提示</source>
            <translation>Note</translation>
        </message>
        <message>
            <source>无法打开串口！</source>
            <comment>opening the port failed</comment>
            <translation>Cannot open the serial port!</translation>
        </message>
        <message>
            <source>无法打开串口！</source>
            <comment>a command needs the open port</comment>
            <translation>Please open the serial port!</translation>
        </message>
        <message>
            <source>保存数据</source>
            <translation>SAVE</translation>
        </message>
        <message>
            <source>文本文件 (*.txt *.dat);;所有文件 (*.*)</source>
            <translation>file (*.txt *.dat);;allfile (*.*)</translation>
        </message>
        <message>
            <source>打开文件</source>
            <translation>Open file</translation>
        </message>
        <message>
            <source>所有文件 (*.*);;文本文件 (*.txt *.dat)</source>
            <translation>All file (*.*);;file (*.txt *.dat)</translation>
        </message>
        <message>
            <source>错误</source>
            <translation>ERROR</translation>
        </message>
        <message>
            <source>不能读取指定的文件!</source>
            <translation>Cannot read the specified file!</translation>
        </message>
    </context>
    <context>
        <name>PortList</name>
        <message>
            <source>Description: %1</source>
            <translation>Description: %1</translation>
        </message>
        <message>
            <source>Manufacturer: %1</source>
            <translation>Manufacturer: %1</translation>
        </message>
        <message>
            <source>USB ID: %1</source>
            <translation>USB ID: %1</translation>
        </message>
        <message>
            <source>No details reported</source>
            <translation>No details reported</translation>
        </message>
        <message>
            <source>Added through KELVO_EXTRA_PORTS or --port</source>
            <translation>Added through KELVO_EXTRA_PORTS or --port</translation>
        </message>
    </context>
    <context>
        <name>StatusTexts</name>
        <message>
            <source>、</source>
            <comment>separator of listed names</comment>
            <translation>, </translation>
        </message>
        <message>
            <source>串口未打开</source>
            <translation>Port closed</translation>
        </message>
        <message>
            <source>已连接 %1</source>
            <translation>Connected to %1</translation>
        </message>
        <message>
            <source>已读取 %1</source>
            <translation>Read %1</translation>
        </message>
        <message>
            <source>未收到参数 %1</source>
            <translation>Nothing arrived %1</translation>
        </message>
        <message>
            <source>读取不完整 %1</source>
            <translation>Read incomplete %1</translation>
        </message>
        <message>
            <source>与写入一致</source>
            <translation>Matches what was written</translation>
        </message>
        <message>
            <source>%1 项与写入不同: %2</source>
            <translation>%1 differ from written: %2</translation>
        </message>
        <message>
            <source>可能过时: %1</source>
            <translation>May be stale: %1</translation>
        </message>
        <message>
            <source>已写入</source>
            <translation>Written</translation>
        </message>
        <message>
            <source>已恢复出厂设置</source>
            <translation>Factory values written</translation>
        </message>
        <message>
            <source>已重置数据</source>
            <translation>Reset written</translation>
        </message>
        <message>
            <source>已发送</source>
            <translation>sent</translation>
        </message>
        <message>
            <source>未发送（串口未打开）</source>
            <translation>not sent (port closed)</translation>
        </message>
        <message>
            <source>写入中断 %1/4</source>
            <translation>Write interrupted after %1/4</translation>
        </message>
        <message>
            <source>未发送</source>
            <translation>not sent</translation>
        </message>
        <message>
            <source>已加载 %1</source>
            <translation>Loaded %1</translation>
        </message>
        <message>
            <source>加载失败 %1</source>
            <translation>Load failed: %1</translation>
        </message>
        <message>
            <source>已保存 %1</source>
            <translation>Saved %1</translation>
        </message>
        <message>
            <source>保存失败 %1</source>
            <translation>Save failed: %1</translation>
        </message>
        <message>
            <source>设置不确定，待完整读取</source>
            <translation>Uncertain until a full Read</translation>
        </message>
        <message>
            <source>写入</source>
            <translation>Writing</translation>
        </message>
        <message>
            <source>出厂设置</source>
            <translation>Factory reset</translation>
        </message>
        <message>
            <source>重置数据</source>
            <translation>Resetting</translation>
        </message>
        <message>
            <source>加载</source>
            <translation>Loading</translation>
        </message>
        <message>
            <source>保存</source>
            <translation>Saving</translation>
        </message>
        <message>
            <source>读取 %1</source>
            <translation>Reading %1</translation>
        </message>
        <message>
            <source>未写入 %1 项</source>
            <translation>%1 not written</translation>
        </message>
        <message>
            <source>已备份（写入前）</source>
            <translation>Backed up (before write)</translation>
        </message>
        <message>
            <source>已备份（出厂设置前）</source>
            <translation>Backed up (factory reset)</translation>
        </message>
        <message>
            <source>已备份（重置数据前）</source>
            <translation>Backed up (reset data)</translation>
        </message>
        <message>
            <source>已备份（加载前）</source>
            <translation>Backed up (before load)</translation>
        </message>
        <message>
            <source>已备份（保存前）</source>
            <translation>Backed up (before save)</translation>
        </message>
        <message>
            <source>备份失败</source>
            <translation>Backup failed</translation>
        </message>
        <message>
            <source>已写入并核对</source>
            <translation>Written and verified</translation>
        </message>
        <message>
            <source>已恢复出厂设置并核对</source>
            <translation>Factory reset, verified</translation>
        </message>
        <message>
            <source>已重置数据并核对</source>
            <translation>Data reset, verified</translation>
        </message>
        <message>
            <source>已发送并核对</source>
            <translation>sent and verified</translation>
        </message>
        <message>
            <source>核对不符：%1 项</source>
            <translation>Verify failed: %1</translation>
        </message>
        <message>
            <source>未能核对：读回 %1</source>
            <translation>Unverified: %1 read</translation>
        </message>
        <message>
            <source>未确认：遥控器无应答</source>
            <translation>Unconfirmed: no answer</translation>
        </message>
        <message>
            <source>读取 %1 · 先读取，用于备份</source>
            <translation>Reading %1 for backup</translation>
        </message>
        <message>
            <source>核对 %1</source>
            <translation>Verifying %1</translation>
        </message>
        <message>
            <source>另一命令进行中，未执行</source>
            <translation>Busy: not done</translation>
        </message>
        <message>
            <source>已取消：%1</source>
            <translation>Cancelled: %1</translation>
        </message>
        <message>
            <source>未备份（读取未完成）</source>
            <translation>No backup (read incomplete)</translation>
        </message>
        <message>
            <source>发送完成后关闭</source>
            <translation>Closing when the send is done</translation>
        </message>
        <message>
            <source>未写入：</source>
            <translation>Not written:</translation>
        </message>
        <message>
            <source>文件缺少 %1 的设置（帧 %2）</source>
            <translation>File lacks the settings of %1 (frames %2)</translation>
        </message>
        <message>
            <source>串口未打开</source>
            <comment>a command needed the open port</comment>
            <translation>Port not open</translation>
        </message>
        <message>
            <source>连接已断开：遥控器已拔出或串口出错</source>
            <translation>Connection lost: transmitter unplugged or port error</translation>
        </message>
        <message numerus="yes">
            <source>读取结束后又收到 %n 块，未采用</source>
            <translation>
                <numerusform>%n block came after the read had ended, not taken</numerusform>
                <numerusform>%n blocks came after the read had ended, not taken</numerusform>
            </translation>
        </message>
    </context>
    <context>
        <name>SafeWrites</name>
        <message>
            <source>无法读取遥控器当前的设置（收到 %1/19 块）。</source>
            <translation>The transmitter's set-up could not be read (%1 of 19 blocks came).</translation>
        </message>
        <message>
            <source>不先读取就无法备份。仍然写入会覆盖遥控器的设置，且没有备份可以恢复。</source>
            <translation>Without it there is no backup. Writing anyway overwrites the transmitter's set-up with nothing to restore it from.</translation>
        </message>
        <message>
            <source>重新读取</source>
            <translation>Read again</translation>
        </message>
        <message>
            <source>仍然写入</source>
            <translation>Write anyway</translation>
        </message>
        <message>
            <source>不写入</source>
            <translation>Don't write</translation>
        </message>
        <message>
            <source>确认更改</source>
            <translation>Confirm changes</translation>
        </message>
        <message>
            <source>%1将改变遥控器中的 %2 项设置：</source>
            <translation>%1 changes %2 settings in the transmitter:</translation>
        </message>
        <message>
            <source>……另有 %1 项（见详细信息）</source>
            <translation>… and %1 more (see the details)</translation>
        </message>
        <message>
            <source>发送</source>
            <translation>Send</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>不再询问</source>
            <translation>Don't ask again</translation>
        </message>
        <message>
            <source>正在向遥控器发送设置（已发送 %1/4 帧）。</source>
            <translation>The set-up is being sent to the transmitter (%1 of 4 frames sent).</translation>
        </message>
        <message>
            <source>现在放弃，遥控器的设置将不完整、不确定。</source>
            <translation>Abandoned now, the transmitter's set-up is left incomplete and uncertain.</translation>
        </message>
        <message>
            <source>发送完再关闭</source>
            <translation>Finish, then close</translation>
        </message>
        <message>
            <source>放弃并关闭</source>
            <translation>Abandon and close</translation>
        </message>
        <message>
            <source>不关闭</source>
            <translation>Don't close</translation>
        </message>
        <message>
            <source>读取会用遥控器中的设置替换这些更改。</source>
            <translation>Reading replaces them with the transmitter's set-up.</translation>
        </message>
        <message>
            <source>读取并替换</source>
            <translation>Read and replace</translation>
        </message>
        <message>
            <source>关闭窗口，这些更改就会丢失。</source>
            <translation>Closing the window loses them.</translation>
        </message>
        <message>
            <source>不写入，关闭</source>
            <translation>Close without writing</translation>
        </message>
        <message>
            <source>先保存到文件…</source>
            <translation>Save to a file first…</translation>
        </message>
        <message>
            <source>无法保存遥控器当前设置的备份。</source>
            <translation>The backup of the transmitter's set-up could not be saved.</translation>
        </message>
        <message>
            <source>仍然写入会覆盖遥控器的设置，且没有备份可以恢复。</source>
            <translation>Writing anyway overwrites the transmitter's set-up with nothing to restore it from.</translation>
        </message>
    </context>
    <context>
        <name>TransmitterSession</name>
        <message>
            <source>no serial port called %1</source>
            <translation>no serial port called %1</translation>
        </message>
        <message>
            <source>%1 is busy or not accessible: %2</source>
            <translation>%1 is busy or not accessible: %2</translation>
        </message>
        <message>
            <source>cannot open %1: %2</source>
            <translation>cannot open %1: %2</translation>
        </message>
    </context>
    <context>
        <name>ParameterFile</name>
        <message>
            <source>%1 is not a regular file</source>
            <translation>%1 is not a regular file</translation>
        </message>
    </context>
    <context>
        <name>PortListView</name>
        <message>
            <source>描述：%1</source>
            <translation>Description: %1</translation>
        </message>
        <message>
            <source>制造商：%1</source>
            <translation>Manufacturer: %1</translation>
        </message>
        <message>
            <source>USB ID：%1</source>
            <translation>USB ID: %1</translation>
        </message>
        <message>
            <source>系统未提供详细信息</source>
            <translation>No details reported</translation>
        </message>
        <message>
            <source>由 KELVO_EXTRA_PORTS 或 --port 添加</source>
            <translation>Added through KELVO_EXTRA_PORTS or --port</translation>
        </message>
        <message>
            <source>（未连接）%1</source>
            <translation>(not connected) %1</translation>
        </message>
        <message>
            <source>未连接：插回后自动选中</source>
            <translation>Not connected: chosen again when plugged back in</translation>
        </message>
    </context>
    <context>
        <name>RangeHint</name>
        <message>
            <source>最大 %1</source>
            <translation>max %1</translation>
        </message>
        <message>
            <source>最小 %1</source>
            <translation>min %1</translation>
        </message>
    </context>
    <context>
        <name>StatusBanner</name>
        <message>
            <source>关闭提示</source>
            <translation>Close this notice</translation>
        </message>
    </context>
    <context>
        <name>Telemetry</name>
        <message>
            <source>无新数据</source>
            <translation>no new data</translation>
        </message>
        <message>
            <source>串口已关闭</source>
            <translation>port closed</translation>
        </message>
        <message>
            <source>尚无读数 · %1</source>
            <translation>No reading yet · %1</translation>
        </message>
        <message>
            <source>最后读数 %1 · %2</source>
            <translation>Last reading %1 · %2</translation>
        </message>
    </context>
    <context>
        <name>SettingBinder</name>
        <message>
            <source>%1（遥控器中的值）</source>
            <translation>%1 (held by the transmitter)</translation>
        </message>
        <message>
            <source>遥控器或文件中的值 %1 不在此框的选项中；不改动就按原值写入。</source>
            <translation>The transmitter or the file holds %1, which is not among this box's choices; left alone, it is written as it is.</translation>
        </message>
        <message>
            <source>遥控器或文件中的值为 %1，超出此框的范围；不改动就按原值写入。</source>
            <translation>The transmitter or the file holds %1, beyond this box's range; left alone, it is written as it is.</translation>
        </message>
    </context>
    <context>
        <name>FolderPathDialog</name>
        <message>
            <source>备份文件夹</source>
            <translation>Backup folder</translation>
        </message>
        <message>
            <source>没有文件管理器可以打开备份文件夹。它在这里：</source>
            <translation>No file manager could open the backup folder. It is here:</translation>
        </message>
        <message>
            <source>备份文件夹的路径</source>
            <translation>Path of the backup folder</translation>
        </message>
        <message>
            <source>复制路径</source>
            <translation>Copy path</translation>
        </message>
        <message>
            <source>已复制</source>
            <translation>Copied</translation>
        </message>
        <message>
            <source>关闭</source>
            <translation>Close</translation>
        </message>
    </context>
    <context>
        <name>UnwrittenMark</name>
        <message>
            <source>此页有未写入的修改</source>
            <translation>This page has unwritten changes</translation>
        </message>
    </context>
</TS>
