1000
1001
scedc_hash_2018.hash
2001
320
10
32 37 1
20
-121 -114 1
33
0.1
99
315
10
0.04
20
0.015
99
343
n
1000

scedc_map.ps
5
gshhg_socal.gshhs
99
99
20

1000
1001
first20.hash
3001
1000

scedc_diagrams.ps
99
20

9999
