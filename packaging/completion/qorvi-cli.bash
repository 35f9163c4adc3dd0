# bash completion for qorvi-cli: commands, their options, the firmware versions of
# `demo`, the scalar layout fields of `--set`, and files or folders where an option
# takes one.

_qorvi_cli() {
  local cur prev words cword
  _init_completion -n = || return

  local commands="info icons save check diff demo"
  local input="--workdir --vshmain --paf --opening --topmenu-plugin --system-plugin-fg --topmenu-icon
    --boot-sound --verbose --help"
  local fields="MainIconX MainIconY MainIconSpace1 MainIconSpace2 Bmp01_12size UnfIconY UnfIconSize
    SubIconLowerSpace1 SubIconUpperSpace1 SubIconLowerSpace2 SubIconUpperSpace2 SubIconSize ClockX ClockY
    BatteryX BatteryY BusyX BusyY IconSpeedX1 IconSpeedX2 IconSpeedY1 IconSpeedY2 BusySpeed WaveSpeed
    MainMenuTextY MainMenuTextSize SubMenuTextX SubMenuTextX2 SubMenuTextX3 SubMenuTextX1Seg SubMenuTextY
    SubMenuMSTextY SubMenuUnderMSTextY SubMenuTextSize Sub2NetSearchX Sub2NetRadioX Sub2GameTitleX
    Sub2PhotVideoX Sub2RSSFeedsX Sub2SettingOptX Sub2SettingOptY OptSize1 OptSize2 GameSpace VideoSpace
    MusicSpace PhotoSpace OptSpace"

  local command="" i
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      info | icons | save | check | diff | demo)
        command=${words[i]}
        break
        ;;
    esac
  done

  case $prev in
    --workdir | --out | --against)
      _filedir -d
      return
      ;;
    --vshmain | --paf | --opening)
      _filedir prx
      return
      ;;
    --topmenu-plugin | --system-plugin-fg | --topmenu-icon)
      _filedir rco
      return
      ;;
    --boot-sound)
      if [[ $command != demo ]]; then
        _filedir wav
        return
      fi
      ;;
    --layout)
      _filedir json
      return
      ;;
    --set)
      if [[ $cur != *=* ]]; then
        COMPREPLY=($(compgen -W "$fields" -S = -- "$cur"))
        compopt -o nospace
      fi
      return
      ;;
    --version)
      if [[ $command == demo ]]; then
        COMPREPLY=($(compgen -W "3.90 3.95 4.01 5.00" -- "$cur"))
        return
      fi
      ;;
  esac

  local options
  case $command in
    "")
      COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
      return
      ;;
    info) options="$input" ;;
    icons) options="$input --out" ;;
    save) options="$input --layout --set --no-compress --no-verify --out" ;;
    check) options="$input --layout --set" ;;
    diff) options="$input --against --layout --json" ;;
    demo) options="--version --compressed --boot-sound --verbose --help" ;;
  esac

  if [[ $cur == -* || $command != demo ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  else
    _filedir -d
  fi
} && complete -F _qorvi_cli qorvi-cli
