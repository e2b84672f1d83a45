# shellcheck shell=bash disable=SC2034
# Shared by the scripts in tools/: where the Windows libraries and the Wine prefix live.
# They are kept outside the work tree, so that fresh clones on one machine share them.
# VORN_CACHE_DIR overrides the place.

vorn_cache_dir()
{
    if [ -n "${VORN_CACHE_DIR:-}" ]; then
        printf '%s\n' "$VORN_CACHE_DIR"
    elif [ "$(id -u)" = 0 ]; then
        printf '%s\n' /var/cache/vorn
    else
        printf '%s\n' "${XDG_CACHE_HOME:-$HOME/.cache}/vorn"
    fi
}

VORN_CACHE=$(vorn_cache_dir)
# The link to the newest prefix of Windows libraries (windows-deps-<recipe hash>).
VORN_DEPS_LINK=$VORN_CACHE/windows-deps
VORN_WINEPREFIX=$VORN_CACHE/wine
# Written last into a finished prefix; a prefix without it is incomplete.
VORN_DEPS_STAMP=.vorn-deps-stamp
VORN_WINE_STAMP=.vorn-wine-stamp
