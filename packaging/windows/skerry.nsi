; The Skerry installer for 64-bit Windows, made on Linux with makensis by scripts/build-windows:
;   makensis -DVERSION=1.0c -DSTAGE=<the unpacked zip's folder> -DOUTFILE=<setup.exe> skerry.nsi
; The build writes installed-files.nsh and uninstalled-files.nsh beside it: the File lines of
; every file in STAGE, and the Delete lines of the same files, so that the uninstaller removes
; exactly what was installed. New.tpl, Old.tpl and exported bitmaps are the user's (an
; installed Skerry keeps them in each user's own folder, told so by Installed.txt); the
; settings in HKEY_CURRENT_USER are the user's too. Both stay.
; Silent: setup.exe /S [/D=FOLDER] and Uninstall.exe /S.

Unicode true
; A 64-bit setup for a 64-bit program: it writes the 64-bit registry and Program Files as they
; are, and Windows itself refuses it on a 32-bit system.
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Skerry"
!define PUBLISHER "Harrowmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Skerry"
!define PROGID "Skerry.Template"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A later setup finds the folder the first one used.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "skerry.ico"
!define MUI_UNICON "skerry.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the template editor for Jedi Knight and Mysteries of the Sith.$\r$\n$\r$\nSkerry keeps New.tpl, Old.tpl and the bitmaps it exports in your own folder (%APPDATA%\${PUBLISHER}\${PRODUCT}); uninstalling leaves them and your settings.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\skerry.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "1.0.3.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Section "Skerry" SecMain
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    !include "installed-files.nsh"
    ; The editor reads this to keep each user's files in that user's own folder.
    FileOpen $0 "$INSTDIR\Installed.txt" w
    FileWrite $0 "Skerry ${VERSION} was installed here by its setup.$\r$\nNew.tpl and Old.tpl are kept in each user's %APPDATA%\${PUBLISHER}\${PRODUCT}.$\r$\n"
    FileClose $0
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\skerry.exe" "" "$INSTDIR\skerry.exe" 0

    ; "Open with Skerry" on a .tpl file's menu, and Skerry among the programs Open with offers.
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Jedi Knight template file"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\skerry.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\skerry.exe" "%1"'
    WriteRegStr HKLM "Software\Classes\.tpl\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKLM "Software\Classes\SystemFileAssociations\.tpl\shell\Skerry" "" "Open with Skerry"
    WriteRegStr HKLM "Software\Classes\SystemFileAssociations\.tpl\shell\Skerry" "Icon" "$INSTDIR\skerry.exe,0"
    WriteRegStr HKLM "Software\Classes\SystemFileAssociations\.tpl\shell\Skerry\command" "" '"$INSTDIR\skerry.exe" "%1"'
    WriteRegStr HKLM "Software\Classes\Applications\skerry.exe\shell\open\command" "" '"$INSTDIR\skerry.exe" "%1"'
    WriteRegStr HKLM "Software\Classes\Applications\skerry.exe\SupportedTypes" ".tpl" ""

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\skerry.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    !include "uninstalled-files.nsh"
    Delete "$INSTDIR\Installed.txt"
    Delete "$INSTDIR\Uninstall.exe"
    ; Only folders left empty go (uninstalled-files.nsh ends with its folders, deepest first):
    ; a New.tpl a portable habit put here stays, and so does its folder.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegValue HKLM "Software\Classes\.tpl\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.tpl\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\.tpl"
    DeleteRegKey HKLM "Software\Classes\SystemFileAssociations\.tpl\shell\Skerry"
    DeleteRegKey HKLM "Software\Classes\Applications\skerry.exe"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
