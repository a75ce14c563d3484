# Sourced by the scripts that run Windows programs: a private Wine prefix at "$1", created on first use.
# No Mono or Gecko downloads (there is no internet here) and no menu entries in the user's desktop.
qm_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once, about 10 s)"
    mkdir -p "$WINEPREFIX"
    wineboot -i
    wineserver -w
  fi
}
