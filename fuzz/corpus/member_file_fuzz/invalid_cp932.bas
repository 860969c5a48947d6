Attribute VB_Name = "M"
x = "_"

ÿı  _
Rem‚
   
ƒAttribute 
yz
_