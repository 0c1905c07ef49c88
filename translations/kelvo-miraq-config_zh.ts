<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
    <context>
        <name>Cli</name>
        <message>
            <source>no status packet from the transmitter on %1, so its trims are unknown and it cannot be backed up</source>
            <translation>%1 上的遥控器没有发来状态包，微调未知，因此无法备份</translation>
        </message>
        <message>
            <source>cannot write the backup %1: %2</source>
            <translation>无法写入备份 %1：%2</translation>
        </message>
        <message>
            <source>the set-up of the transmitter on %1 could not be read (%2 of %3 parameter blocks received), so it cannot be backed up</source>
            <translation>无法读取 %1 上遥控器的设定（收到 %2/%3 个参数块），因此无法备份</translation>
        </message>
        <message>
            <source>; sending without a backup (--force)</source>
            <translation>；不做备份照样发送（--force）</translation>
        </message>
        <message>
            <source>; nothing sent (--force sends anyway, --no-backup takes none)</source>
            <translation>；什么也没有发送（--force 照样发送，--no-backup 不做备份）</translation>
        </message>
        <message>
            <source>Back up the transmitter&apos;s set-up as the window does, write a parameter file to it, then read it back and compare.</source>
            <translation>像窗口一样先备份遥控器的设定，再把参数文件写入遥控器，然后读回核对。</translation>
        </message>
        <message>
            <source>Back up the transmitter&apos;s set-up as the window does, put the factory values into it, then read it back and compare.</source>
            <translation>像窗口一样先备份遥控器的设定，再把出厂设置写入遥控器，然后读回核对。</translation>
        </message>
        <message>
            <source>List the automatic backups of the window, write and reset, newest first: time, the command each was taken before, the port (&quot;-&quot;: not recorded) and the file. The 100 newest are kept.</source>
            <translation>列出窗口、write 和 reset 自动做的备份，最新的在前：时间、在哪个命令之前备份、串口（&quot;-&quot;：未记录）和文件。保留最新的 100 个。</translation>
        </message>
        <message>
            <source>Do not read the transmitter first to back up what it holds.</source>
            <translation>不先读取遥控器来备份它存有的设定。</translation>
        </message>
        <message>
            <source>Send even when the backup cannot be taken.</source>
            <translation>即使无法备份也照样发送。</translation>
        </message>
        <message>
            <source>no backups in %1</source>
            <translation>%1 中没有备份</translation>
        </message>
        <message>
            <source>List the serial ports.</source>
            <translation>列出串口。</translation>
        </message>
        <message>
            <source>Read the transmitter's configuration into a parameter file.</source>
            <translation>读取遥控器的设定，存为参数文件。</translation>
        </message>
        <message>
            <source>Write a parameter file to the transmitter, then read it back and compare.</source>
            <translation>把参数文件写入遥控器，然后读回核对。</translation>
        </message>
        <message>
            <source>Parameter file to write.</source>
            <translation>要写入的参数文件。</translation>
        </message>
        <message>
            <source>Put the factory values into the transmitter, then read it back and compare.</source>
            <translation>把出厂设置写入遥控器，然后读回核对。</translation>
        </message>
        <message>
            <source>Print the live channels and telemetry, one line per packet.</source>
            <translation>显示实时通道和回传数据，每个数据包一行。</translation>
        </message>
        <message>
            <source>Print every setting of a parameter file.</source>
            <translation>显示参数文件的每一项设定。</translation>
        </message>
        <message>
            <source>Parameter file to show.</source>
            <translation>要显示的参数文件。</translation>
        </message>
        <message>
            <source>Print the settings that differ between two parameter files.</source>
            <translation>显示两个参数文件中不同的设定。</translation>
        </message>
        <message>
            <source>First parameter file.</source>
            <translation>第一个参数文件。</translation>
        </message>
        <message>
            <source>Second parameter file.</source>
            <translation>第二个参数文件。</translation>
        </message>
        <message>
            <source>Find out why the transmitter cannot be reached, and how to fix it.</source>
            <translation>查明连不上遥控器的原因和解决办法。</translation>
        </message>
        <message>
            <source>List the window's automatic backups, newest first: time, the command each was taken before, the port ("-": not recorded) and the file. The 100 newest are kept.</source>
            <translation>列出窗口程序的自动备份，最新的在前：时间、触发备份的命令、串口（"-"：未记录）和文件。保留最新的 100 个。</translation>
        </message>
        <message>
            <source>Write a set-up sheet of a parameter file to print: every setting, as .html or .pdf.</source>
            <translation>把参数文件的设定表写成可打印的文件：包含每一项设定，格式为 .html 或 .pdf。</translation>
        </message>
        <message>
            <source>Parameter file to print.</source>
            <translation>要打印的参数文件。</translation>
        </message>
        <message>
            <source>Serial port of the transmitter: ttyUSB0, COM3, /dev/pts/7.</source>
            <translation>遥控器的串口，如 ttyUSB0、COM3、/dev/pts/7。</translation>
        </message>
        <message>
            <source>name</source>
            <translation>名称</translation>
        </message>
        <message>
            <source>Parameter file to save; only a complete reply is saved.</source>
            <translation>要保存的参数文件；只保存完整的回复。</translation>
        </message>
        <message>
            <source>file</source>
            <translation>文件</translation>
        </message>
        <message>
            <source>The sheet to write: its extension, .html or .pdf, says which.</source>
            <translation>要写入的设定表，格式由扩展名 .html 或 .pdf 决定。</translation>
        </message>
        <message>
            <source>Kept for old scripts: reading back and comparing is the default.</source>
            <translation>为旧脚本保留：默认就会读回核对。</translation>
        </message>
        <message>
            <source>Do not read the configuration back: the send is not confirmed.</source>
            <translation>不读回设定：发送结果不经确认。</translation>
        </message>
        <message>
            <source>Stop after n seconds (default: at Ctrl-C).</source>
            <translation>n 秒后停止（默认：按 Ctrl-C 时停止）。</translation>
        </message>
        <message>
            <source>n</source>
            <translation>n</translation>
        </message>
        <message>
            <source>Comma-separated numbers with a header line.</source>
            <translation>逗号分隔的数字，带一行表头。</translation>
        </message>
        <message>
            <source>A JSON array instead of text.</source>
            <translation>输出 JSON 数组而不是文本。</translation>
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
            <translation>退出状态：
  0  完成；diff：两个文件相同；write、reset：已读回且一致
     （用 --no-verify 时：已发送，未核对）
  1  diff：两个文件不同；write、reset：从遥控器读回的设定与发送的不同
     （列出不同的设定）
  2  命令行有误
  3  文件不存在、无法读取、不是参数文件或无法写入；
     write：文件缺少帧，且无法读取遥控器的设定
  4  串口不存在、被占用、无法打开或已断开；
     write、reset：什么也没有发送
  5  遥控器无应答，或回复不完整或不断重复
     （读取最迟在请求后约 8 秒结束）；
     write、reset：发送后遥控器没有回应、读回不完整或
     无法核对微调：遥控器存有的设定未经确认
  6  show、diff：文件缺少帧；列出设定未知的页面，
     这些设定显示为未知（JSON 中为 null），绝不显示为初始值
  7  write、reset：已发出部分帧后串口断开（"已发送 2/4 帧"）：
     遥控器可能只存有部分新设定
  8  write、reset：无法读取遥控器的设定或无法写入其备份；
     什么也没有发送（--force 照样发送，--no-backup 不做备份）
  doctor：10 没有这个串口，或给出的不是串口设备（文件夹、文件），
     11 无权打开，12 被其他程序占用，
     13 brltty 占用了 USB 转换器，14 ModemManager 在探测它，15 遥控器无应答</translation>
        </message>
        <message>
            <source>Reads, writes and watches KELVO and MIRAQ eight-channel transmitters, and shows and compares their parameter files.</source>
            <translation>读取、写入和监视 KELVO 与 MIRAQ 八通道遥控器，并显示和比较它们的参数文件。</translation>
        </message>
        <message>
            <source>Commands:</source>
            <translation>命令：</translation>
        </message>
        <message>
            <source>"%1 &lt;command&gt; --help" describes one command.</source>
            <translation>"%1 &lt;command&gt; --help" 说明单个命令。</translation>
        </message>
        <message>
            <source>Language of the messages, the setting names and the doctor's report: zh or en (default: the system's, zh for a Chinese locale, en for any other).</source>
            <translation>消息、设定名称和 doctor 报告的语言：zh 或 en（默认跟随系统：中文区域设置为 zh，其他为 en）。</translation>
        </message>
        <message>
            <source>code</source>
            <translation>代码</translation>
        </message>
        <message>
            <source>%1 (see %2 --help)</source>
            <translation>%1（见 %2 --help）</translation>
        </message>
        <message>
            <source>%1 needs --port</source>
            <translation>%1 需要 --port</translation>
        </message>
        <message>
            <source>%1 needs -o FILE</source>
            <translation>%1 需要 -o FILE</translation>
        </message>
        <message>
            <source>usage: %1</source>
            <translation>用法：%1</translation>
        </message>
        <message>
            <source>--seconds takes a whole number of seconds, 0 or more</source>
            <translation>--seconds 需要 0 或更大的整数秒数</translation>
        </message>
        <message>
            <source>--lang takes zh or en</source>
            <translation>--lang 只能是 zh 或 en</translation>
        </message>
        <message>
            <source>What to do; see Commands above.</source>
            <translation>要做什么；见上面的命令列表。</translation>
        </message>
        <message>
            <source>no command given</source>
            <translation>没有给出命令</translation>
        </message>
        <message>
            <source>unknown command "%1"</source>
            <translation>未知命令 "%1"</translation>
        </message>
        <message>
            <source>no differences</source>
            <translation>没有不同</translation>
        </message>
        <message>
            <source>%1: no such file</source>
            <translation>%1：文件不存在</translation>
        </message>
        <message>
            <source>%1 is a directory, not a parameter file</source>
            <translation>%1 是文件夹，不是参数文件</translation>
        </message>
        <message>
            <source>cannot read %1: %2</source>
            <translation>无法读取 %1：%2</translation>
        </message>
        <message>
            <source>%1 is not a parameter file: no parameter frame in it</source>
            <translation>%1 不是参数文件：其中没有参数帧</translation>
        </message>
        <message>
            <source>%1 is incomplete: settings on %2 are unknown (frames %3 missing)</source>
            <translation>%1 不完整（缺少帧 %3）：这些页面的设定未知：%2</translation>
        </message>
        <message>
            <source>CH %1  TX %2  RSSI %3  RX %4  EXT %5</source>
            <translation>CH %1  TX %2  RSSI %3  RX %4  EXT %5</translation>
        </message>
        <message>
            <source>none</source>
            <translation>无</translation>
        </message>
        <message>
            <source>the port %1 went away</source>
            <translation>串口 %1 已断开</translation>
        </message>
        <message>
            <source>%1 of %2 frames sent, then the port %3 went away: the transmitter may hold part of the new set-up</source>
            <translation>已发送 %1/%2 帧，随后串口 %3 断开：遥控器可能只存有部分新设定</translation>
        </message>
        <message>
            <source>no transmitter answering on %1</source>
            <translation>%1 上没有遥控器应答</translation>
        </message>
        <message>
            <source>%1 of %2 parameter blocks received</source>
            <translation>已收到 %1/%2 个参数块</translation>
        </message>
        <message>
            <source>the transmitter on %1 does not answer</source>
            <translation>%1 上的遥控器无应答</translation>
        </message>
        <message>
            <source>incomplete reply from the transmitter on %1: blocks %2 missing</source>
            <translation>%1 上的遥控器回复不完整：缺少参数块 %2</translation>
        </message>
        <message numerus="yes">
            <source> (%n block(s) came again)</source>
            <translation>
                <numerusform>（%n 个参数块重复收到）</numerusform>
            </translation>
        </message>
        <message>
            <source>sent %1 to %2, not verified (--no-verify)</source>
            <translation>已将 %1 发送到 %2，未核对（--no-verify）</translation>
        </message>
        <message>
            <source>no serial ports found</source>
            <translation>没有找到串口</translation>
        </message>
        <message>
            <source>cannot write %1: %2</source>
            <translation>无法写入 %1：%2</translation>
        </message>
        <message>
            <source>no status packet from the transmitter on %1, so its trims are unknown; nothing saved</source>
            <translation>%1 上的遥控器没有发来状态包，微调未知；未保存</translation>
        </message>
        <message>
            <source>saved to %1</source>
            <translation>已保存到 %1</translation>
        </message>
        <message>
            <source>%1 lacks the frames %2, and the set-up of the transmitter on %3 could not be read to fill them in; nothing sent</source>
            <translation>%1 缺少帧 %2，且无法读取 %3 上遥控器的设定来补齐；未发送</translation>
        </message>
        <message>
            <source>%1 lacks the frames %2: their settings are kept as read from the transmitter</source>
            <translation>%1 缺少帧 %2：这些帧的设定沿用从遥控器读到的值</translation>
        </message>
        <message>
            <source>the factory values</source>
            <translation>出厂设置</translation>
        </message>
        <message>
            <source>no live packets from the transmitter on %1</source>
            <translation>%1 上的遥控器没有发来实时数据包</translation>
        </message>
        <message>
            <source>(from KELVO_EXTRA_PORTS)</source>
            <translation>（来自 KELVO_EXTRA_PORTS）</translation>
        </message>
        <message>
            <source>not confirmed: the transmitter on %1 is silent since the send (no live packet and no parameter block for %2 s); what it holds is unknown</source>
            <translation>未确认：%1 上的遥控器发送后没有回应（%2 秒内既无实时数据包也无参数块）；不知道它存有什么</translation>
        </message>
        <message>
            <source>not confirmed: the transmitter on %1 does not answer the read-back; what it holds is unknown</source>
            <translation>未确认：%1 上的遥控器不响应读回；不知道它存有什么</translation>
        </message>
        <message>
            <source>not confirmed: incomplete read-back from the transmitter on %1: blocks %2 missing</source>
            <translation>未确认：从 %1 上的遥控器读回不完整：缺少参数块 %2</translation>
        </message>
        <message>
            <source>%1 of %1 frames sent, then the port %2 went away during the read-back: what the transmitter holds is not confirmed</source>
            <translation>已发送 %1/%1 帧，随后串口 %2 在读回时断开：遥控器存有的设定未经确认</translation>
        </message>
        <message>
            <source>not confirmed: no status packet from the transmitter on %1 after the read-back, so its trims could not be checked</source>
            <translation>未确认：读回后 %1 上的遥控器没有发来状态包，无法核对微调</translation>
        </message>
        <message numerus="yes">
            <source>the transmitter differs in %n setting(s) (sent -&gt; read back):</source>
            <translation>
                <numerusform>遥控器有 %n 项设定不同（发送 -&gt; 读回）：</numerusform>
            </translation>
        </message>
        <message>
            <source>verified: the transmitter holds every setting sent</source>
            <translation>核对完成：遥控器存有发送的每一项设定</translation>
        </message>
        <message>
            <source>sheet writes .html or .pdf, not %1</source>
            <translation>sheet 只能写 .html 或 .pdf，不能写 %1</translation>
        </message>
        <message>
            <source>set-up sheet written to %1 (checksum %2)</source>
            <translation>设定表已写入 %1（校验 %2）</translation>
        </message>
    </context>
    <context>
        <name>TransmitterSession</name>
        <message>
            <source>no serial port called %1</source>
            <translation>没有名为 %1 的串口</translation>
        </message>
        <message>
            <source>%1 is busy or not accessible: %2</source>
            <translation>%1 被占用或无权访问：%2</translation>
        </message>
        <message>
            <source>cannot open %1: %2</source>
            <translation>无法打开 %1：%2</translation>
        </message>
    </context>
    <context>
        <name>ParameterFile</name>
        <message>
            <source>%1 is not a regular file</source>
            <translation>%1 不是普通文件</translation>
        </message>
    </context>
</TS>
