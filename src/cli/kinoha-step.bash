# bash completion for kinoha-step
_kinoha_step() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        --format)
            COMPREPLY=($(compgen -W "text csv json markdown" -- "$cur"))
            return ;;
        --encoding)
            COMPREPLY=($(compgen -W "CP932 SJIS Shift_JIS MS932 Windows-31J CP1252 UTF-8" -- "$cur"))
            return ;;
        --jobs|--exclude)
            return ;;
        --output)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--under --count-controls --vb-comments --diff --stdout --format
                                 --output --exclude --jobs --encoding --help --version --" -- "$cur"))
        return
    fi
    # Project and group files, and directories to search.
    COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X '!*.@(vbp|VBP|vbg|VBG)' -- "$cur"))
}
complete -o filenames -F _kinoha_step kinoha-step
