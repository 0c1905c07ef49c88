# Compiling less: the Qt headers nearly every file includes are parsed once
# per library into a precompiled header (KELVO_PCH), and the files of a
# library are compiled a few at a time as one (KELVO_UNITY).
#
# kelvo_precompile(<target> CORE|WIDGETS|TEST [REUSE_FROM <other>])
#
# Gives <target> a precompiled header of the Qt headers of its kind: CORE
# (QtCore and the C++ library), WIDGETS (CORE and the widgets), TEST
# (WIDGETS and QtTest). With REUSE_FROM it uses <other>'s instead, which
# must be of the same kind and compiled with the same definitions and
# options (the compiler rejects or, for gcc, ignores one that is not).
#
# Only Qt's and the C++ library's headers go in: a file must still include
# what it uses, and the layers' own headers stay out, so an include that
# reaches upward still fails (cmake/KelvoLayers.cmake).
#
# ccache takes a file compiled with a precompiled header only with
# sloppiness pch_defines,time_macros and, as the header is made in the
# build, include_file_mtime,include_file_ctime (set where ccache is, in
# CMakeLists.txt and tools/setup-common.sh).
option(KELVO_PCH "Precompile the Qt headers of each library and of the tests" ON)
# Files of a library compiled together, at most this many at once; each
# file's own helpers are in a namespace of their own or marked to stay out
# (SKIP_UNITY_BUILD_INCLUSION).
option(KELVO_UNITY "Compile the files of each library a few at a time as one (unity build)" ON)
set(KELVO_UNITY_BATCH 6 CACHE STRING "Files of a library compiled as one in a unity build")

set(KELVO_PCH_CORE <algorithm> <functional> <memory> <vector>
    <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFileInfo> <QHash> <QObject> <QPointer>
    <QString> <QStringList> <QTimer> <QVector>)
set(KELVO_PCH_WIDGETS ${KELVO_PCH_CORE}
    <QAbstractButton> <QAction> <QApplication> <QComboBox> <QDialog> <QDoubleSpinBox> <QEvent>
    <QFontMetrics> <QGroupBox> <QHBoxLayout> <QLabel> <QLineEdit> <QMenu> <QMessageBox>
    <QPainter> <QProgressBar> <QPushButton> <QSpinBox> <QTabWidget> <QToolButton>
    <QVBoxLayout> <QWidget>)
set(KELVO_PCH_TEST ${KELVO_PCH_WIDGETS} <QTest> <QSignalSpy> <QTemporaryDir>)

function(kelvo_precompile target kind)
    cmake_parse_arguments(PCH "" "REUSE_FROM" "" ${ARGN})
    if(NOT KELVO_PCH)
        return()
    endif()
    if(PCH_REUSE_FROM)
        target_precompile_headers(${target} REUSE_FROM ${PCH_REUSE_FROM})
    else()
        target_precompile_headers(${target} PRIVATE ${KELVO_PCH_${kind}})
    endif()
endfunction()

# kelvo_unity(<target>...): compiles the files of each target in batches.
function(kelvo_unity)
    if(NOT KELVO_UNITY)
        return()
    endif()
    set_target_properties(${ARGN} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${KELVO_UNITY_BATCH})
endfunction()
