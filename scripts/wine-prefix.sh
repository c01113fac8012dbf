# Sourced by the Windows scripts: a Wine prefix set up like a Windows desktop
# as far as the program can tell.
#   wine_prefix_ready PREFIX   makes PREFIX on first use, then gives it the
#                              fonts and the text smoothing of a Windows install

wine_prefix_ready() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # A Windows machine has Arial and Times New Roman in its Fonts folder; the
  # prefix gets their metric-compatible stand-ins, which the offscreen
  # platform reads from there.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if ! ls "$fonts"/LiberationSans-Regular.ttf >/dev/null 2>&1; then
    mkdir -p "$fonts"
    cp /usr/share/fonts/truetype/liberation/*.ttf /usr/share/fonts/truetype/dejavu/*.ttf "$fonts"/
  fi
  # Windows smooths text with ClearType unless the user turns it off; a new
  # Wine prefix says "standard" smoothing, under which Qt's GDI glyphs lose
  # thin stems at small sizes in Wine (the legend's 11-pixel "I").
  if ! grep -q '"FontSmoothingType"=dword:00000002' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothing /t REG_SZ /d 2 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null 2>&1
    wineserver -w
  fi
}
