; Moravel's setup program and uninstaller.
;
; A per-user install that needs no administrator rights: Moravel keeps its hidden backup file in
; its own folder, so the folder must be one the user can write to. Before any file is replaced
; or removed, a running Moravel is asked to close through Quillet.dll, so that it asks its own
; question about unsaved changes; it is never ended by force.
;
; Build (makensis runs on Linux; paths absolute):
;   makensis -DMORAVEL_DIR=<folder with Moravel.exe, MoravelCmd.exe and QVPVX.html>
;            -DQUILLET_DLL=<the x64 Quillet.dll> -DOUTDIR=<folder> [-DOUTFILE=<file>] Moravel.nsi
; The version comes from Moravel.exe's version resource; the file is
; <OUTDIR>/Moravel-Setup-<version>.exe unless OUTFILE names another.
;
; Command line: /S silent; /D=<folder> (last, without quotes); /DESKTOP adds a desktop shortcut
; in a silent install; /LANG=<en|de|fr|es|it|ja> the language of Setup, Moravel and its manual.
; A silent run exits with 2 when it changed nothing because Moravel stayed open, the folder
; cannot be written or /LANG= names a language this Windows cannot show.
;
; The language: the one chosen on the language page of a first install (or by /LANG=); an
; upgrade keeps the one chosen before, as NSIS's own language page does, unless /LANG= names
; another; a silent first install takes the system's. Japanese needs the
; Japanese code page (932), since Moravel is an ANSI program. MORAVEL_DIR\lang\<code> holds
; each translation's QVPVX.DLL and QVPVX.html.

Unicode true
; The 64-bit installer: it also runs under a Wine without 32-bit support, and a 64-bit process
; loads the x64 Quillet.dll.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include WordFunc.nsh

!ifndef MORAVEL_DIR | QUILLET_DLL | OUTDIR
  !error "give -DMORAVEL_DIR=, -DQUILLET_DLL= and -DOUTDIR="
!endif

; 2.60.0.0 reads "2.60"; a third or fourth number shows only when it is not 0.
!getdllversion "${MORAVEL_DIR}/Moravel.exe" MORAVEL_VERSION_
!if ${MORAVEL_VERSION_4} != 0
  !define VERSION "${MORAVEL_VERSION_1}.${MORAVEL_VERSION_2}.${MORAVEL_VERSION_3}.${MORAVEL_VERSION_4}"
!else if ${MORAVEL_VERSION_3} != 0
  !define VERSION "${MORAVEL_VERSION_1}.${MORAVEL_VERSION_2}.${MORAVEL_VERSION_3}"
!else
  !define VERSION "${MORAVEL_VERSION_1}.${MORAVEL_VERSION_2}"
!endif
!ifndef OUTFILE
  !define OUTFILE "${OUTDIR}/Moravel-Setup-${VERSION}.exe"
!endif

!define PUBLISHER "Moravel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Moravel"
!define MAIN_WINDOW_CLASS "PVX"
; A window that stays open and answerable this long (tenths of a second) after it was asked to
; close, or after its last question was answered, has stayed open.
!define STAY_OPEN_TICKS 30
; After the window is gone the process only winds down; its files are free once it has ended.
!define PROCESS_END_WAIT_MS 10000
!define SYNCHRONIZE 0x00100000
!define EXIT_NOT_INSTALLED 2

Name "Moravel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Moravel"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Moravel ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${MORAVEL_VERSION_1}.${MORAVEL_VERSION_2}.${MORAVEL_VERSION_3}.${MORAVEL_VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "Moravel"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "Moravel Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" ""

Var DesktopShortcutAsked
Var GivenFolder          ; the folder /D= named, when NSIS dropped it as unusable
Var ProgramLanguage      ; en, de, fr, es, it or ja: Moravel's texts and manual
Var LanguageBefore       ; the language of the installed copy, empty when there is none

; ---- pages ----------------------------------------------------------------------------------

!define MUI_ICON "..\resources\pictures\moravel.ico"
!define MUI_UNICON "..\resources\pictures\moravel.ico"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME

!define MUI_DIRECTORYPAGE_TEXT_TOP "$(DirectoryText)"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY

!insertmacro MUI_PAGE_INSTFILES

!define MUI_FINISHPAGE_RUN "$INSTDIR\Moravel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartMoravel)"
; The finish page's second check box: a desktop shortcut, off unless asked for.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(DesktopShortcut)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION CreateDesktopShortcut
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UnconfirmText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the one for systems whose language is none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "Japanese"
!include "strings.nsh"

; ---- closing a running Moravel ----------------------------------------------------------------

; Installer and uninstaller each need their own copy (un. prefix).
!macro MORAVEL_CLOSE_FUNCTIONS UN

; Asks the window $R0 to close with WM_CLOSE, through Quillet's KVO_PostMsg and its text
; "+W:<window> +M:<message>" in hexadecimal. Window handles are 32-bit values; strtol saturates
; at the signed 32-bit range, so a handle with the top bit set goes as a negative number.
Function ${UN}PostCloseRequest
  IntOp $R2 $R0 + 0
  ${If} $R2 < 0
    IntOp $R2 0 - $R2
    IntFmt $R2 "-%X" $R2
  ${Else}
    IntFmt $R2 "%X" $R2
  ${EndIf}
  IntFmt $R3 "%X" ${WM_CLOSE}
  System::Call '$PLUGINSDIR\Quillet.dll::KVO_PostMsg(p 0, *i 0, m "+W:$R2 +M:$R3") i ?u'
FunctionEnd

; Closes every running Moravel the way its user would, and pushes 1 when none runs any more,
; 0 when one stays open (its user kept it open and chose Cancel here; nothing was changed). While
; Moravel's window is disabled its save question, or the Save As dialog that follows it, is up
; and the user is deciding: that is waited for as long as it takes.
Function ${UN}CloseRunningMoravel
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  StrCpy $R5 1
  ${Do}
    FindWindow $R0 "${MAIN_WINDOW_CLASS}"
    ${If} $R0 = 0
      ${Break}
    ${EndIf}
    ; A dialog of Moravel's is open: closing the window under it would drop what the user is
    ; doing there.
    System::Call 'user32::IsWindowEnabled(p R0) i .R1'
    ${If} $R1 = 0
      System::Call 'user32::IsWindow(p R0) i .R1'
      ${If} $R1 = 0
        ${Continue}
      ${EndIf}
      ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MoravelBusy)" /SD IDCANCEL IDRETRY`
        ${Continue}
      ${EndIf}
      StrCpy $R5 0
      ${Break}
    ${EndIf}

    DetailPrint "$(ClosingMoravel)"
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1) i'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R1) p .R4'
    ; Brings Moravel to the front while the installer may still do so, so that its question
    ; is seen.
    ${IfNot} ${Silent}
      System::Call 'user32::SetForegroundWindow(p R0)'
    ${EndIf}
    Call ${UN}PostCloseRequest

    StrCpy $R3 0
    ${Do}
      Sleep 100
      System::Call 'user32::IsWindow(p R0) i .R1'
      ${If} $R1 = 0
        ${If} $R4 P<> 0
          System::Call 'kernel32::WaitForSingleObject(p R4, i ${PROCESS_END_WAIT_MS}) i .R1'
        ${Else}
          StrCpy $R1 0
        ${EndIf}
        ${Break}
      ${EndIf}
      System::Call 'user32::IsWindowEnabled(p R0) i .R1'
      ${If} $R1 = 0
        StrCpy $R3 0
      ${Else}
        IntOp $R3 $R3 + 1
        ${If} $R3 >= ${STAY_OPEN_TICKS}
          StrCpy $R1 1
          ${Break}
        ${EndIf}
      ${EndIf}
    ${Loop}
    ${If} $R4 P<> 0
      System::Call 'kernel32::CloseHandle(p R4)'
    ${EndIf}
    ${IfNot} ${Silent}
      BringToFront
    ${EndIf}

    ; $R1 0: gone, look again for another copy; otherwise it stayed open.
    ${If} $R1 <> 0
      ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MoravelStays)" /SD IDCANCEL IDRETRY`
        StrCpy $R5 0
        ${Break}
      ${EndIf}
    ${EndIf}
  ${Loop}
  StrCpy $R0 $R5
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; Extracts the Quillet.dll that matches this program's bitness for the functions above. Not
; through SetOutPath: the plug-ins folder would become the current folder, which NSIS then cannot
; remove at the end.
Function ${UN}ExtractQuillet
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Quillet.dll" "${QUILLET_DLL}"
FunctionEnd

!macroend

!insertmacro MORAVEL_CLOSE_FUNCTIONS ""
!insertmacro MORAVEL_CLOSE_FUNCTIONS "un."

; ---- install ----------------------------------------------------------------------------------

; NSIS drops a /D= folder it finds unusable (a file in its path, for example) and falls back to
; the default folder, and it removes /D= from $CMDLINE. An administrator who named a folder must
; not get Moravel somewhere else: the folder comes from the process's own command line instead,
; and sets $GivenFolder when it is not the one NSIS kept.
Function FindDroppedFolder
  StrCpy $GivenFolder ""
  System::Call 'kernel32::GetCommandLine() t .R0'
  StrLen $R1 $R0
  StrCpy $R2 0
  ${Do}
    ${If} $R2 >= $R1
      Return
    ${EndIf}
    StrCpy $R3 $R0 4 $R2
    ${If} $R3 S== " /D="
      ${Break}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
  IntOp $R2 $R2 + 4
  StrCpy $R3 $R0 "" $R2
  ${WordReplace} $R3 "/" "\" "+" $R3
  ${Do}
    StrCpy $R4 $R3 1 -1
    ${If} $R4 != "\"
    ${AndIf} $R4 != " "
      ${Break}
    ${EndIf}
    StrCpy $R3 $R3 -1
  ${Loop}
  ${If} $R3 != ""
  ${AndIf} $R3 != $INSTDIR
    StrCpy $GivenFolder $R3
    StrCpy $INSTDIR $R3
  ${EndIf}
FunctionEnd

; $R0: a language code; pushes NSIS's language id, or "" when the code is none of ours.
Function LanguageIdOf
  ${Select} $R0
    ${Case} "en"
      Push ${LANG_ENGLISH}
    ${Case} "de"
      Push ${LANG_GERMAN}
    ${Case} "fr"
      Push ${LANG_FRENCH}
    ${Case} "es"
      Push ${LANG_SPANISH}
    ${Case} "it"
      Push ${LANG_ITALIAN}
    ${Case} "ja"
      Push ${LANG_JAPANESE}
    ${CaseElse}
      Push ""
  ${EndSelect}
FunctionEnd

; Sets $ProgramLanguage from $LANGUAGE.
Function LanguageCodeOf
  ${Select} $LANGUAGE
    ${Case} ${LANG_GERMAN}
      StrCpy $ProgramLanguage "de"
    ${Case} ${LANG_FRENCH}
      StrCpy $ProgramLanguage "fr"
    ${Case} ${LANG_SPANISH}
      StrCpy $ProgramLanguage "es"
    ${Case} ${LANG_ITALIAN}
      StrCpy $ProgramLanguage "it"
    ${Case} ${LANG_JAPANESE}
      StrCpy $ProgramLanguage "ja"
    ${CaseElse}
      StrCpy $ProgramLanguage "en"
  ${EndSelect}
FunctionEnd

; The language page, before the wizard: each language in its own name, Japanese only where
; Windows can show Moravel's Japanese texts, and why not otherwise.
Function ChooseLanguage
  System::Call 'kernel32::GetACP() i .R3'
  ${If} $R3 = 932
    LangDLL::LangDialog "$(LanguageTitle)" "$(LanguageInfo)" A \
        "English" ${LANG_ENGLISH} "Deutsch" ${LANG_GERMAN} "${NAME_FRENCH}" ${LANG_FRENCH} \
        "${NAME_SPANISH}" ${LANG_SPANISH} "Italiano" ${LANG_ITALIAN} "${NAME_JAPANESE}" ${LANG_JAPANESE} ""
  ${Else}
    LangDLL::LangDialog "$(LanguageTitle)" "$(LanguageInfo) $(NoJapanesePage)" A \
        "English" ${LANG_ENGLISH} "Deutsch" ${LANG_GERMAN} "${NAME_FRENCH}" ${LANG_FRENCH} \
        "${NAME_SPANISH}" ${LANG_SPANISH} "Italiano" ${LANG_ITALIAN} ""
  ${EndIf}
  Pop $R0
  ${If} $R0 == "cancel"
    Abort
  ${EndIf}
  StrCpy $LANGUAGE $R0
FunctionEnd

Function .onInit
  Call ExtractQuillet
  Call FindDroppedFolder
  StrCpy $DesktopShortcutAsked 0
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/DESKTOP" $R1
  ${IfNot} ${Errors}
    StrCpy $DesktopShortcutAsked 1
  ${EndIf}

  ; The installed copy's language, unless the command line names one; the page only for a
  ; first install.
  ReadRegStr $LanguageBefore HKCU "${UNINSTALL_KEY}" "Language"
  StrCpy $R0 $LanguageBefore
  Call LanguageIdOf
  Pop $R1
  ${If} $R1 != ""
    StrCpy $LANGUAGE $R1
  ${EndIf}
  System::Call 'kernel32::GetACP() i .R3'
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/LANG=" $R0
  ${IfNot} ${Errors}
    Call LanguageIdOf
    Pop $R1
    ${If} $R1 == ""
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(UnknownLanguage)" /SD IDOK
      SetErrorLevel ${EXIT_NOT_INSTALLED}
      Quit
    ${EndIf}
    ${If} $R1 = ${LANG_JAPANESE}
    ${AndIf} $R3 <> 932
      MessageBox MB_OK|MB_ICONEXCLAMATION "$(NoJapanese)" /SD IDOK
      SetErrorLevel ${EXIT_NOT_INSTALLED}
      Quit
    ${EndIf}
    StrCpy $LANGUAGE $R1
  ${ElseIf} $LanguageBefore == ""
  ${AndIfNot} ${Silent}
    ${If} $LANGUAGE = ${LANG_JAPANESE}
    ${AndIf} $R3 <> 932
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
    Call ChooseLanguage
  ${EndIf}
  ${If} $LANGUAGE = ${LANG_JAPANESE}
  ${AndIf} $R3 <> 932
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
  Call LanguageCodeOf
FunctionEnd

; Pushes 1 when a file can be written in $INSTDIR, which Moravel's backup file needs. A folder
; made only for the test is removed again.
Function CheckFolderWritable
  Push $R0
  Push $R1
  StrCpy $R1 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $R1 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $R0 "$INSTDIR\Moravel-Setup.tmp" w
  ${If} ${Errors}
    StrCpy $R0 0
  ${Else}
    FileClose $R0
    Delete "$INSTDIR\Moravel-Setup.tmp"
    StrCpy $R0 1
  ${EndIf}
  ${If} $R1 = 1
    RMDir "$INSTDIR"
  ${EndIf}
  Pop $R1
  Exch $R0
FunctionEnd

; Leaving the folder page: the folder must be one the user can write to; Cancel stays here.
Function DirectoryLeave
  Call CheckFolderWritable
  Pop $R0
  ${If} $R0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotWritable)"
    Abort
  ${EndIf}
FunctionEnd

Function CreateDesktopShortcut
  CreateShortcut "$DESKTOP\Moravel.lnk" "$INSTDIR\Moravel.exe" "" "$INSTDIR\Moravel.exe" 0 \
      SW_SHOWNORMAL "" "$(ShortcutComment)"
FunctionEnd

; Adds the size in bytes of $INSTDIR\NAME to $R0.
!macro ADD_FILE_SIZE NAME
  ${GetSize} "$INSTDIR" "/M=${NAME} /S=0B /G=0" $R1 $R2 $R3
  IntOp $R0 $R0 + $R1
!macroend

!macro INSTALL_LANGUAGE CODE
  ${If} $ProgramLanguage == "${CODE}"
    File "/oname=QVPVX.DLL" "${MORAVEL_DIR}/lang/${CODE}/QVPVX.DLL"
    File "/oname=QVPVX.html" "${MORAVEL_DIR}/lang/${CODE}/QVPVX.html"
  ${EndIf}
!macroend

Section "Moravel" SectionMoravel
  SectionIn RO
  SetShellVarContext current

  ; The folder page's check, again for a silent install, which shows no pages.
  Call CheckFolderWritable
  Pop $R0
  ${If} $GivenFolder != ""
  ${AndIf} $GivenFolder == $INSTDIR
    StrCpy $R0 0
  ${EndIf}
  ${If} $R0 = 0
    DetailPrint "$(FolderNotWritable)"
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotWritable)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_INSTALLED}
    Abort
  ${EndIf}
  ; Here rather than on leaving a page: sections run apart from the wizard's window, which keeps
  ; answering while Moravel's user decides.
  Call CloseRunningMoravel
  Pop $R0
  ${If} $R0 = 0
    DetailPrint "$(MoravelNotClosed)"
    SetErrorLevel ${EXIT_NOT_INSTALLED}
    Abort
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${MORAVEL_DIR}/Moravel.exe"
  File "${MORAVEL_DIR}/MoravelCmd.exe"
  File "${MORAVEL_DIR}/QVPVX.html"
  File "/oname=Quillet.dll" "${QUILLET_DLL}"
  ; Moravel's texts and manual in the chosen language; English needs no library. A library the
  ; user put there alone stays unless another language replaces it.
  ${If} $ProgramLanguage == "en"
  ${AndIf} $LanguageBefore != ""
  ${AndIf} $LanguageBefore != "en"
    Delete "$INSTDIR\QVPVX.DLL"
  ${EndIf}
  !insertmacro INSTALL_LANGUAGE de
  !insertmacro INSTALL_LANGUAGE fr
  !insertmacro INSTALL_LANGUAGE es
  !insertmacro INSTALL_LANGUAGE it
  !insertmacro INSTALL_LANGUAGE ja
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The working folder of the shortcuts is $OUTDIR, the program's folder.
  CreateShortcut "$SMPROGRAMS\Moravel.lnk" "$INSTDIR\Moravel.exe" "" "$INSTDIR\Moravel.exe" 0 \
      SW_SHOWNORMAL "" "$(ShortcutComment)"
  ${If} ${Silent}
  ${AndIf} $DesktopShortcutAsked = 1
    Call CreateDesktopShortcut
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "Language" $ProgramLanguage
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Moravel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Moravel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; What this install put in the folder: the section holds every language's files.
  StrCpy $R0 0
  !insertmacro ADD_FILE_SIZE Moravel.exe
  !insertmacro ADD_FILE_SIZE MoravelCmd.exe
  !insertmacro ADD_FILE_SIZE QVPVX.html
  !insertmacro ADD_FILE_SIZE Quillet.dll
  ${If} $ProgramLanguage != "en"
    !insertmacro ADD_FILE_SIZE QVPVX.DLL
  ${EndIf}
  IntOp $R0 $R0 / 1024
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $R0
SectionEnd

; ---- uninstall --------------------------------------------------------------------------------

Function un.onInit
  Call un.ExtractQuillet
  ; The uninstaller speaks the language Moravel was installed in.
  ReadRegStr $LanguageBefore HKCU "${UNINSTALL_KEY}" "Language"
  ${Select} $LanguageBefore
    ${Case} "en"
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${Case} "de"
      StrCpy $LANGUAGE ${LANG_GERMAN}
    ${Case} "fr"
      StrCpy $LANGUAGE ${LANG_FRENCH}
    ${Case} "es"
      StrCpy $LANGUAGE ${LANG_SPANISH}
    ${Case} "it"
      StrCpy $LANGUAGE ${LANG_ITALIAN}
    ${Case} "ja"
      StrCpy $LANGUAGE ${LANG_JAPANESE}
  ${EndSelect}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningMoravel
  Pop $R0
  ${If} $R0 = 0
    DetailPrint "$(MoravelNotClosed)"
    SetErrorLevel ${EXIT_NOT_INSTALLED}
    Abort
  ${EndIf}

  Delete "$INSTDIR\Moravel.exe"
  Delete "$INSTDIR\MoravelCmd.exe"
  Delete "$INSTDIR\QVPVX.html"
  ${If} $LanguageBefore != ""
  ${AndIf} $LanguageBefore != "en"
    Delete "$INSTDIR\QVPVX.DLL"
  ${EndIf}
  Delete "$INSTDIR\Quillet.dll"
  Delete "$INSTDIR\Uninstall.exe"

  ; Asked only now: Moravel writes its backup file as it closes. A silent uninstall keeps it.
  StrCpy $R1 ""
  ${If} ${FileExists} "$INSTDIR\A4SPVX.BAK"
    StrCpy $R1 "$INSTDIR\A4SPVX.BAK"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\A3SPVX.BAK"
    ${If} $R1 != ""
      StrCpy $R1 "$R1$\r$\n"
    ${EndIf}
    StrCpy $R1 "$R1$INSTDIR\A3SPVX.BAK"
  ${EndIf}
  ${If} $R1 != ""
    ${If} ${Cmd} `MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveBackup)" /SD IDNO IDYES`
      SetFileAttributes "$INSTDIR\A4SPVX.BAK" NORMAL
      SetFileAttributes "$INSTDIR\A3SPVX.BAK" NORMAL
      Delete "$INSTDIR\A4SPVX.BAK"
      Delete "$INSTDIR\A3SPVX.BAK"
    ${EndIf}
  ${EndIf}

  ; Only when empty: the user's setting data files, and the folder with them, stay.
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "$(FilesKept)"
  ${EndIf}

  Delete "$SMPROGRAMS\Moravel.lnk"
  Delete "$DESKTOP\Moravel.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
