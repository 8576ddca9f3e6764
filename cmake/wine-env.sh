# Sourced by the Wine scripts: a private, headless, quiet 32-bit Wine for the given prefix
# (TKL_WINEARCH=win64: a 64-bit one, for the 64-bit build). $1 is the prefix directory.
export WINEPREFIX="$1"
export WINEARCH="${TKL_WINEARCH:-win32}"
export WINEDEBUG="${TKL_WINEDEBUG:--all}"
# Never offer to install Mono or Gecko; callers may add their own overrides after ours.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
unset DISPLAY WAYLAND_DISPLAY
