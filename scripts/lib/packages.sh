# Sourced by the scripts that install what they need from Debian's package archive.
#
#   install_packages [--no-install-recommends] PACKAGE...
#
# installs those of the packages that are missing, as root or through sudo; quiet when all are
# there.
#
#   generate_locale NAME     e.g. de_DE.UTF-8; nothing when the locale is there already

package_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local options=() need=() pkg
    if [ "${1:-}" = --no-install-recommends ]; then options+=("$1"); shift; fi
    for pkg in "$@"; do package_installed "$pkg" || need+=("$pkg"); done
    [ ${#need[@]} -gt 0 ] || return 0
    echo "Installing: ${need[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" "${need[@]}" \
        >/dev/null
}

generate_locale() {
    local name=$1 norm
    norm=$(sed 's/\.UTF-8$/.utf8/I' <<<"$name")
    locale -a 2>/dev/null | grep -qixF "$norm" && return 0
    install_packages locales
    echo "Generating the $name locale"
    grep -qx "$name UTF-8" /etc/locale.gen 2>/dev/null ||
        echo "$name UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
}
