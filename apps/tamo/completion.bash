# bash completion for tamo: its commands and options, files after --doc, and the topic names
# of the documentation in effect (the one --doc names, else the one tamo finds itself), which
# tamo prefix lists.

_tamo()
{
    local cur prev words cword
    if declare -F _init_completion >/dev/null; then
        # bash-completion: --doc=FILE and names with a colon stay one word.
        _init_completion -n =: || return
    else
        words=("${COMP_WORDS[@]}")
        cword=$COMP_CWORD
        cur=${words[cword]}
        prev=${words[cword - 1]}
    fi
    COMPREPLY=()

    # What the words before the cursor hold: the command, its argument, --doc, and --.
    local command= argument= doc= options_ended= i word
    for ((i = 1; i < cword; i++)); do
        word=${words[i]}
        if [[ -n $options_ended ]]; then
            if [[ -z $command ]]; then command=$word; else argument=$word; fi
            continue
        fi
        case $word in
        --) options_ended=1 ;;
        --doc) ((i++)); doc=${words[i]} ;;
        --doc=*) doc=${word#--doc=} ;;
        -*) ;;
        *) if [[ -z $command ]]; then command=$word; else argument=$word; fi ;;
        esac
    done

    local IFS=$'\n'
    if [[ -z $options_ended && ($prev == --doc || $cur == --doc=*) ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "${cur#--doc=}"))
        return
    fi
    if [[ -z $options_ended && $cur == -* ]]; then
        local options=$'--doc\n--json\n--help\n--'
        [[ -z $command ]] && options+=$'\n--version'
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W $'topics\nshow\nprefix\nsearch\ncheck' -- "$cur"))
        return
    fi
    case $command in
    show | prefix | search)
        [[ -n $argument ]] && return
        # The names as they are: bash quotes them as it quotes file names.
        compopt -o filenames 2>/dev/null
        local text=$cur
        declare -F dequote >/dev/null && text=$(dequote "$cur")
        local -a documentation=()
        [[ -n $doc ]] && documentation=(--doc "${doc/#\~/$HOME}")
        # One name a line, taken whole (no globbing); read by the command substitution in large
        # blocks, where mapfile reads a pipe byte by byte.
        local -
        set -f
        COMPREPLY=($(tamo prefix "${documentation[@]}" -- "$text" 2>/dev/null))
        declare -F __ltrim_colon_completions >/dev/null && __ltrim_colon_completions "$cur"
        ;;
    esac
}

complete -F _tamo tamo
