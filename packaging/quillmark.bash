# bash completion for quillmark: its commands, their options and the options'
# values, module files and folders for targets, and the keys of `quillmark settings`.
# Commands and options are read from the program's own --help (once a shell for
# each command), so a new command or option completes without a change here.

# The --help text of each "PROGRAM [COMMAND]" read so far.
declare -gA _quillmark_help_texts=()
# Values of options whose help names no list of them. A list the help gives
# ("--kind KIND:{custom,exe}") wins over this one.
declare -gA _quillmark_known_values=(
  [--encoding]="windows-1252 utf-8 iso-8859-1"
  [--format]="text json sarif"
  [--rules]="procedure-header stale-header module-header notice error-handler handler-fallthrough indent"
)
# Options whose value is a comma-separated list.
declare -gA _quillmark_comma_lists=([--to]=1 [--rules]=1)

# Sets _quillmark_text to the --help of "$1 $2" ($2 empty: the program's own).
_quillmark_read_help() {
  local key="$1 $2"
  if [[ -z ${_quillmark_help_texts[$key]+set} ]]; then
    _quillmark_help_texts[$key]="$("$1" ${2:+"$2"} --help 2>/dev/null)"
  fi
  _quillmark_text=${_quillmark_help_texts[$key]}
}

# From _quillmark_text: _quillmark_commands (the "Subcommands:" list),
# _quillmark_options (every option name) and _quillmark_values (for each option
# that takes a value, the values its help lists, or "" when it lists none).
_quillmark_parse_help() {
  _quillmark_commands=() _quillmark_options=()
  declare -gA _quillmark_values=()
  local line section="" names type name
  while IFS= read -r line; do
    case $line in
      "Subcommands:" | "Options:") section=$line; continue ;;
      "") section=""; continue ;;
    esac
    if [[ $section == "Subcommands:" && $line =~ ^\ \ ([a-z][a-z-]*)\  ]]; then
      _quillmark_commands+=("${BASH_REMATCH[1]}")
    elif [[ $section == "Options:" && $line =~ ^\ +(-[^ ]+)(\ ([^ ]+))? ]]; then
      names=${BASH_REMATCH[1]} type=${BASH_REMATCH[3]}
      for name in ${names//,/ }; do
        _quillmark_options+=("$name")
        # A value's type is written in capitals: TEXT, ENCODING, KIND:{a,b}.
        if [[ $type =~ ^[A-Z]+(:\{(.*)\})?$ ]]; then
          _quillmark_values[$name]=${BASH_REMATCH[2]//,/ }
        fi
      done
    fi
  done <<<"$_quillmark_text"
}

# Adds to COMPREPLY the words of $1 that start with $2, each after $3.
_quillmark_add() {
  local word
  for word in $1; do
    [[ $word == "$2"* ]] && COMPREPLY+=("$3$word")
  done
}

# Adds to COMPREPLY the files that start with $1: modules and projects only when $2
# is "modules", folders always.
_quillmark_add_files() {
  local file
  compopt -o filenames 2>/dev/null
  while IFS= read -r file; do
    if [[ -d $file || $2 != modules || ${file,,} =~ \.(bas|cls|frm|ctl|dsr|pag|vbp)$ ]]; then
      COMPREPLY+=("$file")
    fi
  done < <(compgen -f -- "$1")
}

# A text or a file's name: after "@", a file whose content is the text.
_quillmark_add_text() {
  if [[ $1 == @* ]]; then
    _quillmark_add_files "${1#@}" all
    COMPREPLY=("${COMPREPLY[@]/#/@}")
  else
    _quillmark_add_files "$1" all
  fi
}

_quillmark() {
  COMPREPLY=()
  local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} option="" command="" i
  # "--kind=e" reaches here as "--kind" "=" "e".
  if ((COMP_CWORD >= 2)) && [[ ${COMP_WORDS[COMP_CWORD - 1]} == "=" ]]; then
    option=${COMP_WORDS[COMP_CWORD - 2]}
  elif [[ $cur == "=" ]]; then
    option=${COMP_WORDS[COMP_CWORD - 1]} cur=""
  elif ((COMP_CWORD >= 1)); then
    option=${COMP_WORDS[COMP_CWORD - 1]}
  fi
  for ((i = 1; i < COMP_CWORD; i++)); do
    if [[ ${COMP_WORDS[i]} != -* ]]; then command=${COMP_WORDS[i]}; break; fi
  done

  local _quillmark_text _quillmark_commands _quillmark_options
  _quillmark_read_help "$program" "$command"
  _quillmark_parse_help
  if [[ -z $command ]]; then
    if [[ $cur == -* ]]; then
      _quillmark_add "${_quillmark_options[*]}" "$cur" ""
    else
      _quillmark_add "${_quillmark_commands[*]}" "$cur" ""
    fi
    return 0
  fi

  if [[ $option == -* && -n ${_quillmark_values[$option]+set} ]]; then
    local values=${_quillmark_values[$option]:-${_quillmark_known_values[$option]}} before=""
    if [[ -n $values ]]; then
      # In a comma-separated list only the last item is completed.
      [[ -n ${_quillmark_comma_lists[$option]} && $cur == *,* ]] && before=${cur%,*}, cur=${cur##*,}
      _quillmark_add "$values" "$cur" "$before"
    else
      _quillmark_add_text "$cur"
    fi
  elif [[ $cur == -* ]]; then
    _quillmark_add "${_quillmark_options[*]}" "$cur" ""
  elif [[ $command != settings ]]; then
    _quillmark_add_files "$cur" modules
  elif [[ $option == settings ]]; then
    # The keys, as the listing of every setting names them.
    _quillmark_add "$("$program" settings 2>/dev/null | sed -n 's/^\([^ ]*\) = .*/\1/p')" "$cur" ""
  else
    _quillmark_add_text "$cur"
  fi
  return 0
}

complete -F _quillmark quillmark
