# Sourced by inside.sh for a row of the toy on its own Wayland surface
# ($desktop sway or kwin_wayland): the checks of scripts/wayland-check.sh's
# main part, through the compositor's own input and pictures, written as the
# matrix's row into row.md.

# shellcheck source=scripts/desktop-matrix/start-desktop.sh
. "$(dirname "${BASH_SOURCE[0]}")/start-desktop.sh"
# shellcheck source=scripts/desktop-matrix/wayland-input.sh
. "$(dirname "${BASH_SOURCE[0]}")/wayland-input.sh"
log "desktop: $version, the toy's Wayland surface"
# shellcheck source=scripts/wayland-check/main.sh
. "$(dirname "${BASH_SOURCE[0]}")/../wayland-check/main.sh"

# A cell: yes (or the word given) when every check named holds, else what
# failed and why.
cell() { # word-for-yes check...
  local yes=$1 name text= result r
  shift
  for name in "$@"; do
    result=no
    for r in "${results[@]}"; do [ "${r%%=*}" = "$name" ] && result=${r#*=}; done
    [ "$result" = yes ] || text="$text${text:+; }$name $result (${detail[$name]:-})"
  done
  if [ -z "$text" ]; then
    echo "$yes"
  else
    echo "$([ "$yes" = right ] && echo wrong || echo no): $text"
  fi
}
{
  echo "| $row | $version, Wayland surface | $(cell right look-at-rest look-walking look-after-drag)" \
    "| $(cell yes no-x-window click-through other-workspace) | $(cell yes focus-kept)" \
    "| $(cell yes walks drag-follows) | $(cell yes menu-visible menu-at-pointer menu-winds)" \
    "| $(cell yes about-beside about-closes) | $(cell yes exit-0) |"
} >"$dir/row.md"
cat "$dir/row.md"
