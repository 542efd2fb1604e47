-- Defaults, as a client's option script sets them.
OptionInfoList = { Bgm_Volume = 70, Effect_Volume = 60.5, WIDTH = 1024 }
CmdOnOffList = {}
CmdOnOffList["/fog"] = 1
CmdOnOffList[true] = 2
Unset = Missing == nil
