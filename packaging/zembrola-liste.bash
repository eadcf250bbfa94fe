# bash completion for zembrola-liste
_zembrola_liste()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    case $prev in
        -o|--ausgabe)
            COMPREPLY=($(compgen -f -- "$cur"))
            return ;;
        -s|--spalten)
            COMPREPLY=($(compgen -W '1 2 3 4 5 6' -- "$cur"))
            return ;;
        -m|--maske|--von|--bis|-U|--benutzer)
            return ;;
    esac
    case $cur in
        --groesse=*)
            COMPREPLY=($(compgen -P --groesse= -W 'Bytes KBytes MBytes GBytes TBytes' -- "${cur#--groesse=}"))
            return ;;
        -*)
            COMPREPLY=($(compgen -W '--maske --unterverzeichnisse --versteckt --archiviert --nur-lesen
                --system --von --bis --spalten --pfad --attribute --datum --groesse --einheit
                --zusammenfassung --ausgabe --systemanalyse --netzwerkanalyse --netz --benutzer
                --help --version' -- "$cur"))
            return ;;
    esac
    COMPREPLY=($(compgen -d -- "$cur"))
}
complete -o filenames -F _zembrola_liste zembrola-liste
