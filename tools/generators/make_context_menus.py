#!/usr/bin/env python3
"""Writes context_menus.menu, the list popup menus (103 server mode, 105 direct mode) and the entity popup menus (112,
113, 114 server mode by the state of the current NE, 116 direct mode), from one description of their popups.

The list menus hold the popups in the order the operator's menus have them; a command keeps one id in both link modes.
The entity menus are built from the popups of menu 112: 113 leaves out the commands that need a configurable NE (the
frame's NE set), 114 those the main menu of a planned NE leaves out, 116 the commands only the server offers. These
command sets come from the commands the program declares, which tools/generators/make_menus.cpp hands over. A popup
left empty is written without entries (it shows one blank entry).

    make_context_menus.py <tarvik_make_menus program> [folder]

rewrites the menu file in the folder, by default the resources folder the file belongs to."""

import os
import subprocess
import sys
SHOW,MODIFY,ADD,DELETE,REFRESH,EXPORT,CLOSE=33082,33015,33060,33008,33084,33024,33023


def I(id_, text):
    """A command item."""
    return ('item', id_, text)


SEP=('separator',)
EMPTY=[I(0,'')]

ex=I(EXPORT,'&Export'); cl=I(CLOSE,'&Close')
show=I(SHOW,'&Show'); mod=I(MODIFY,'&Modify'); add=I(ADD,'&Add'); dele=I(DELETE,'&Delete'); ref=I(REFRESH,'&Refresh')
def forms(word):
    return dict(show=I(SHOW,'&Show '+word), mod=I(MODIFY,'&Modify '+word), add=I(ADD,'&Add '+word),
                dele=I(DELETE,'&Delete '+word), ex=I(EXPORT,'&Export '+word))
ne=forms('NE'); user=forms('User'); bk=forms('Backup'); loc=forms('Location'); ipr=forms('IP Range'); ch=forms('Channel')
detail=I(33012,'De&tail'); ack=I(33000,'&Acknowledge'); graph=I(33046,'&Graph')
def xtuc(server, shdsl=False):
    items=[] if shdsl else [show]
    items+=[mod, I(33022,'&VC-to-VLAN')]
    if not shdsl: items.append(I(33121,'M&ulticast Channel'))
    items+=[I(33124,'Rate S&tatus'), I(33080,'&Profile')]
    if server: items.append(I(33142,'T&emplate'))
    items+=[I(33085,'Reset P&ort'), I(33076,'&Current PM'), I(33078,'&History PM')]
    if server: items+=[I(33077,'&Long-Term PM'), I(33096,'Su&bscriber')]
    items+=[SEP, ex, cl]
    return items
def fm_cur(server): return [detail]+([ack] if server else [])+[ref, ex, cl]
eoa=[show,mod,add,dele,I(33138,'M&ulti-Delete'),I(33193,'Check A&ll'),I(33194,'U&nCheck All'),I(33089,'VC &OAM Test'),
     I(33080,'&Profile'),I(33081,'&Next-hop List'),I(33167,'Access &Control List'),SEP,ex,cl]
mc=[ch['show'],ch['mod'],ch['add'],ch['dele'],I(33138,'M&ulti-Delete Channel'),I(33193,'Check A&ll'),I(33194,'U&nCheck All'),
    I(33089,'VC &OAM Test'),I(33123,'Multicast Channel &Profile'),SEP,ex,cl]
go=I(33060,'&Go'); selall=I(33140,'Select A&ll'); deselall=I(33141,'&Deselect All')
# ---- list popups
L103=[
 ('<null>',EMPTY),
 ('GENERIC_LIST',[ex,cl]),
 ('REFRESH_LIST',[ref,ex,cl]),
 ('EDIT_LIST',[mod,ex,cl]),
 ('ADD_DEL_LIST',[add,dele,ex,cl]),
 ('GENERIC_ALL_LIST',[show,mod,add,dele,ref,SEP,ex,cl]),
 ('xDSL_xTUC_LIST',xtuc(True)),
 ('NE_LIST',[ne['show'],ne['mod'],ne['add'],ne['dele'],I(33001,'&Backup && Restore'),I(33087,'&Write Flash'),SEP,ex,cl]),
 ('USER_LIST',[user['show'],user['mod'],user['add'],user['dele'],I(33054,'&Operation Log'),SEP,user['ex'],cl]),
 ('USER_ONLINE_LIST',[ref,user['show'],I(33054,'&Operation Log'),I(33051,'Send &Message'),I(33055,'&Force Logout'),SEP,user['ex'],cl]),
 ('SHOW_ADD_DEL_LIST',[show,add,dele,ex,cl]),
 ('NE_BACKUP_LIST',[bk['add'],bk['dele'],I(33086,'&Restore Backup'),bk['ex'],cl]),
 ('TRAPLOGVIEW_LIST',[detail,I(33026,'&Filter'),I(33004,'&Reset'),I(33094,'&Pause'),I(33093,'&Continue'),SEP,ex]),
 ('FM_CUR_LIST',fm_cur(True)),
 ('PM_HIS_LIST',[graph,ex,cl]),
 ('DB_BACKUP_LIST',[bk['add'],bk['dele'],I(33086,'&Restore Backup'),bk['ex'],cl]),
 ('GROUP_LIST',[loc['show'],loc['mod'],loc['add'],loc['dele'],I(33029,'Active A&larm'),I(33034,'&History Alarm'),SEP,loc['ex'],cl]),
 ('NEAUTOFILTER_LIST',[ipr['add'],ipr['dele'],I(33085,'&Restart IP Range'),ipr['ex'],cl]),
 ('FM_HIS_STAT_LIST',[I(33082,'&Alarm List'),ex,cl]),
 ('EOA_FASTPROV_LIST',[go,ex,cl]),
 ('xDSL_EoA_LIST',eoa),
 ('xDSL_MC_LIST',mc),
 ('FM_DIGITIN_LIST',[mod,ex,cl]),
 ('FM_HIS_LIST',fm_cur(True)),
 ('ADD_DEL_REFRESH_LIST',[add,dele,ref,ex,cl]),
 ('TRAPSUMVIEW_LIST',[detail,ex]),
 ('FWUPGRADE_LIST',[I(33025,'&Browse'),I(33083,'&Show NE'),ne['ex'],cl]),
 ('LOOPDIAG_DATA_LIST',[graph,ex,cl]),
 ('SVROPTION_NMS_LIST',[mod]),
 ('NEAUTOFOUND_LIST',[I(33061,'&Add NEs'),I(33138,'&Ignore NEs'),I(33074,'&Ping NE from Client'),I(33139,'&Export NEs'),cl]),
 ('MAP_LIST',[show,mod,add,dele,ex]),
 ('MC_FASTPROV_LIST',[go,selall,deselall,ex,cl]),
 ('PROFDOWNLOAD_LIST',[I(33083,'&Show NE'),selall,deselall,ex,cl]),
 ('ADD_DEL_EDIT_LIST',[mod,add,dele,ex,cl]),
 ('TRUNK_PORT_LIST',[mod,ref,I(33172,'&PM'),ex,cl]),
 ('SHDSL_STUC_LIST',xtuc(True,True)),
 ('EDIT_REFRESH_LIST',[mod,ref,ex,cl]),
 ('DEL_COPY_LIST',[dele,I(33006,'&Copy'),ex,cl]),
 ('MACSPOOF_LIST',[ref,I(33207,'&Permit'),I(33208,'&Deny All'),ex,cl]),
 ('DEL_REFRESH_LIST',[dele,ref,ex,cl]),
 ('ADD_DEL_REFRESH_LIST2',[I(33060,'&Add Static'),dele,ref,ex,cl]),
 ('ADD_DEL_EDIT_LIST2',[mod,add,dele]),
]
d103=dict(L103)
L105=L103[:6]+[('xDSL_xTUC_LIST',xtuc(False)),
 ('NE_LIST',[ne['show'],ne['mod'],I(33087,'&Write Flash'),SEP,ex,cl]),
 ('<null>',EMPTY)]
for name in ['SHOW_ADD_DEL_LIST','TRAPLOGVIEW_LIST','FM_CUR_LIST','PM_HIS_LIST','EOA_FASTPROV_LIST','xDSL_EoA_LIST','xDSL_MC_LIST',
 'FM_DIGITIN_LIST','FM_HIS_LIST','ADD_DEL_REFRESH_LIST','TRAPSUMVIEW_LIST','FWUPGRADE_LIST','LOOPDIAG_DATA_LIST','MC_FASTPROV_LIST',
 'ADD_DEL_EDIT_LIST','TRUNK_PORT_LIST','SHDSL_STUC_LIST','EDIT_REFRESH_LIST','DEL_COPY_LIST','MACSPOOF_LIST','DEL_REFRESH_LIST',
 'ADD_DEL_REFRESH_LIST2','ADD_DEL_EDIT_LIST2']:
    items=d103[name]
    if name in ('FM_CUR_LIST','FM_HIS_LIST'): items=fm_cur(False)
    if name=='SHDSL_STUC_LIST': items=xtuc(False,True)
    L105.append((name,items))
assert len(L103)==42 and len(L105)==32, (len(L103),len(L105))

# ---- entity popups
A=I(33029,'Active &Alarm'); H=I(33034,'&History Alarm List'); HS=I(33036,'History Alarm &Statistics')
INV=I(33021,'&Inventory'); RST=I(33085,'&Reset'); IGMP=I(33155,'IGMP &Proxy Setting')
adsl_pm=[I(33076,'xDSL &Current PM'),I(33078,'xDSL &History PM'),I(33077,'xDSL &Long-Term PM'),I(33124,'Port &Rate Status')]
shdsl=[I(33177,'SHDSL Port &Setting'),I(33179,'SHDSL &Current PM'),I(33180,'SHDSL &History PM'),I(33178,'SHDSL &Rate Status')]
trunk=[I(33173,'Trunk Port &Setting'),I(33075,'Trunk Port &PM')]
neitems=[I(33083,'&Show NE'),I(33017,'&Modify NE'),I(33010,'&Delete NE'),SEP,I(33074,'Ping NE from &Client'),
         I(33148,'Ping NE from Ser&ver'),I(33145,'&Traceroute NE from Client'),I(33104,'Telnet &from Client'),
         I(33214,'Telnet Time-&out'),I(33105,'Check SNMP Co&nnection'),SEP,A,H,HS]
E112=[
 ('Rack',[A,H,INV,RST,IGMP]),
 ('Shelf',[A,H,INV,RST,IGMP]),
 ('Module',[A,H,INV,RST,IGMP]),
 ('Port',[A,H,RST,IGMP]),
 ('NE',neitems+[IGMP,SEP,I(33024,'&Export Frame')]),
 ('NEList',[I(33063,'&Add NE')]),
 ('QX7100MainShelf',[I(33188,'Redundancy &Control'),IGMP,SEP,A,H,INV]),
 ('MiscShelf',[A,H,INV]),
 ('ADSLModule',[I(33130,'ADSL Port &Setting')]+adsl_pm+[IGMP,SEP,A,H,INV,RST]),
 ('QX7100CWMModule',trunk+[I(33188,'Redundancy &Control'),SEP,A,H,INV,RST]),
 ('MiscModule',[A,H,INV,RST]),
 ('ADSLPort',[I(33130,'ADSL Port &Setting'),I(33022,'&VC-to-VLAN')]+adsl_pm+[I(33096,'Su&bscriber'),IGMP,SEP,A,H,RST]),
 ('GigaPort',trunk+[SEP,A,H]),
 ('MiscPort',[A,H]),
 ('MapNE',[I(33083,'&Show NE'),I(33017,'&Modify NE'),I(33010,'&Delete NE'),I(33063,'&Add NE'),IGMP,SEP,
           I(33043,'&Frame View'),SEP,I(33087,'Save &Topology'),I(33086,'&Restore Topology'),
           I(57636,'Search NE\tCtrl+F'),I(33024,'&Export Topology')]),
 ('Map',[I(33063,'&Add NE'),SEP,I(33087,'Save &Topology'),I(33086,'&Restore Topology'),I(57636,'Search NE\tCtrl+F'),
         I(33024,'&Export Topology')]),
 ('Group',[I(33136,'&Show Location'),I(33016,'&Modify Location'),I(33062,'&Add Sub-location'),I(33009,'&Delete Location'),SEP,
           I(33095,'&Location List'),I(33048,'&NE List'),I(33049,'&User List')]),
 ('GroupNEs',[I(33063,'&Add NE'),I(33048,'&NE List')]),
 ('GroupMembers',[I(33064,'&Add User'),I(33049,'&User List')]),
 ('GroupNE',neitems[:-3]+[A,H,HS,IGMP]),
 ('GroupMember',[I(33137,'&Show User'),I(33018,'&Modify User'),I(33064,'&Add User'),I(33011,'&Delete User')]),
 ('GroupDummy',EMPTY),
 ('PowerModule',[A,H,INV]),
 ('FanModule',[A,H,INV]),
 ('RelayModule',[I(33032,'Alarm &Input'),I(33213,'Alarm &Output'),SEP,A,H,INV]),
 ('RelayInPort',[I(33032,'Alarm &Input'),SEP,A,H]),
 ('RootGroup',[I(33062,'&Add Sub-location'),SEP,I(33095,'&Location List'),I(33048,'&NE List'),I(33049,'&User List')]),
 ('SHDSLModule',shdsl+[SEP,A,H,INV,RST]),
 ('SHDSLPort',shdsl+[SEP,A,H,RST]),
 ('QX7200CWMModule',trunk+[SEP,A,H,INV,RST]),
 ('QX7200MainShelf',[I(33188,'Redundancy &Control'),IGMP,SEP,A,H,INV]),
 ('RelayOutPort',[I(33213,'Alarm &Output'),SEP,A,H]),
]


def command_sets(program):
    """The declared command sets, by name: the NE set, the commands a planned NE's main menu leaves out, the commands
    only the server offers."""
    listing = subprocess.run([program, "--command-sets"], check=True, capture_output=True, text=True).stdout
    sets = {}
    for line in listing.splitlines():
        name, *ids = line.split()
        sets[name] = {int(i) for i in ids}
    return sets


SETS = command_sets(sys.argv[1])
# Commands that need an NE that can be configured (the main frame's NE set).
NESET = SETS["ne_set"]


def without(items, ids):
    out=[x for x in items if not (x[0]=='item' and x[1] in ids)]
    # no separator first, last or doubled
    clean=[]
    for x in out:
        if x==SEP and (not clean or clean[-1]==SEP): continue
        clean.append(x)
    while clean and clean[-1]==SEP: clean.pop()
    return clean if clean else EMPTY
d112=dict(E112)
def menu113():
    names=['Rack','Shelf','Module','Port','NE','NEList','QX7100MainShelf','ADSLModule','QX7100CWMModule','MiscModule','ADSLPort',
      'GigaPort','MiscPort','MapNE','Map','Group','GroupNEs','GroupMembers','MiscShelf','GroupNE','GroupMember','GroupDummy',
      'PowerModule','FanModule','RelayModule','RelayPort','RootGroup','SHDSLModule','SHDSLPort','QX7200CWMModule','QX7200MainShelf']
    out=[('<null>',EMPTY)]
    for n in names:
        if n=='RelayPort':
            items=[I(33032,'Alarm &Input'),I(33213,'Alarm &Output'),SEP,A,H]
            out.append(('RelayPort|RelayInPort|RelayOutPort',without(items,NESET)))
        else:
            out.append((n,without(d112[n],NESET)))
    return out
M112=[('<null>',EMPTY)]+E112
M113=menu113()
M114=[(n,without(items,SETS["hidden_planned_ne"])) for n,items in M112]
# Commands only the server offers; the direct entity popups also leave out History Alarm Statistics, Long-Term PM and
# Subscriber, which the direct main menu keeps.
SERVER_ONLY=SETS["server_only"]|{33036,33077,33096}
names116=['Rack','Shelf','Module','Port','NE','NEList','QX7100MainShelf','MiscShelf','ADSLModule','QX7100CWMModule','MiscModule',
 'ADSLPort','GigaPort','MiscPort','MapNE','Map','Group','GroupNEs',None,'GroupNE','GroupDummy','PowerModule','FanModule','RelayModule',
 'RelayInPort','RootGroup','SHDSLModule','SHDSLPort','QX7200CWMModule','QX7200MainShelf','RelayOutPort']
M116=[('<null>',EMPTY)]+[(('<null>',EMPTY) if n is None else (n,without(d112[n],SERVER_ONLY))) for n in names116]
assert len(M113)==32 and len(M112)==33 and len(M116)==32

HEADER = """# The popup menus of lists and entities, by menu resource id. Written by tools/generators/make_context_menus.py
# (edit the script).
# MENU <id> ... END; POPUP "name" ... END; ITEM <command id> "text"; SEPARATOR. The popups of a menu are found by
# their names ("|" separates further names a popup answers to), never by position; "<null>" marks a placeholder.
# "&" marks the access key, "&&" is a literal ampersand; a tab in a text separates the shortcut.
"""


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def menu_lines(menu_id, what, popups):
    lines = ["", "# " + what, "MENU %d" % menu_id]
    for name, items in popups:
        lines.append("    POPUP " + quote(name))
        for entry in items:
            if entry == SEP:
                lines.append("        SEPARATOR")
            elif entry[1] != 0:
                lines.append("        ITEM %d %s" % (entry[1], quote(entry[2])))
        lines.append("    END")
    lines.append("END")
    return lines



def output_dir(resource_folder):
    """The folder to write into: the second argument, else the resources folder the file belongs to."""
    if len(sys.argv) > 2:
        os.makedirs(sys.argv[2], exist_ok=True)
        return sys.argv[2]
    return os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", resource_folder)


def main():
    lines = HEADER.rstrip("\n").split("\n")
    lines += menu_lines(103, "List popups, server mode.", L103)
    lines += menu_lines(105, "List popups, direct mode.", L105)
    lines += menu_lines(112, "Entity popups, server mode, the current NE online.", M112)
    lines += menu_lines(113, "Entity popups, server mode, no NE or an NE that is offline.", M113)
    lines += menu_lines(114, "Entity popups, server mode, a planned NE.", M114)
    lines += menu_lines(116, "Entity popups, direct mode.", M116)
    path = os.path.join(output_dir("menus"), "context_menus.menu")
    with open(path, "w") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
